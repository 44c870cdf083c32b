// The format dialog: its lists and arrows, "OK" with a refused code, and the export commands'
// variant that starts from the export's standard format.

#include <gtest/gtest.h>

#include "app/format_dialog_model.h"
#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

class FormatDialogModelTest : public ::testing::Test, public test::OutputFixture {
 protected:
  Strings Chosen(const FormatDialogModel& m) const {
    Strings names;
    for (std::size_t p : m.chosen()) names.push_back(Cp1252ToUtf8(m.choices()[p]));
    return names;
  }
  std::size_t Position(const FormatDialogModel& m, const std::string& utf8) const {
    for (std::size_t p = 0; p < m.choices().size(); ++p)
      if (m.choices()[p] == Utf8ToCp1252(utf8)) return p;
    ADD_FAILURE() << "no choice " << utf8;
    return 0;
  }
  ExportFormatDialog ExportDialog(ExportKind kind) {
    app->settings.provinces.Assign(*ParseProvinceText("U"));
    const auto plan = app->exports.Prepare(kind);
    EXPECT_TRUE(plan && plan->formatDialog);
    return *plan->formatDialog;
  }
};

TEST_F(FormatDialogModelTest, TheArrowsBuildTheCodeInTheChosenOrder) {
  Sample();
  FormatDialogModel m(*app);
  m.OpenForLayout(LayoutKind::kAttestation);
  EXPECT_EQ(m.start(), "\xDF");
  EXPECT_EQ(Cp1252ToUtf8(m.choices()[1]), "Extra mellanrum");
  // Several selected choices go to the end in the order of the list, whatever the clicks.
  m.Add({7, 4, 5});
  m.Add({Position(m, "Material")});
  EXPECT_EQ(m.Code(), "\xDF$ RUN FVN INF;A ");
  m.SetHeadings(true);
  EXPECT_EQ(m.Code(), "\xDF$ RUN FVN INF;A+ ");
  EXPECT_EQ(m.MoveUp(3), 2u);
  EXPECT_EQ(m.MoveDown(0), 1u);
  EXPECT_EQ(m.MoveUp(0), 0u) << "the first entry stays";
  EXPECT_EQ(m.MoveDown(3), 3u) << "the last entry stays";
  EXPECT_EQ(Chosen(m), (Strings{"Runtext (Runtext.run)", "Signum", "Material",
                                "Fornvästnordisk text (Stavbas.fvn)"}));
  m.Remove({3, 0});
  EXPECT_EQ(m.Code(), "\xDF$ INF;A+ ");
  ASSERT_TRUE(m.Ok());
  EXPECT_EQ(app->format.code(), "\xDF$ INF;A+ ");
  // The chosen list is kept for the next opening, also for another layout.
  m.OpenForLayout(LayoutKind::kText);
  EXPECT_EQ(m.Code(), ">.$ INF;A+ ");
}

TEST_F(FormatDialogModelTest, ARefusedCodeKeepsThePreviousFormatAndTheDialogOpen) {
  Database("U 1 V a\n", "U 1 V a\n");  // no English file
  ASSERT_TRUE(app->format.Validate(">$ NFS"));
  FormatDialogModel m(*app);
  m.OpenForLayout(LayoutKind::kText);
  m.Add({4, 9});  // "Signum", "Engelsk översättning (Stavbas.eng)"
  EXPECT_FALSE(m.Ok());
  EXPECT_EQ(host.BoxTexts().back(), "Felaktig formatkod >.$ ENG ");
  EXPECT_EQ(app->format.code(), ">$ NFS");
  EXPECT_NE(app->format.format(), nullptr) << "the previous code was validated again";
  // A code longer than 255 characters is refused before anything changes.
  host.Clear();
  m.Remove({0, 1});
  for (int i = 0; i < 70; ++i) m.Add({5});
  EXPECT_FALSE(m.Ok());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.BoxTexts()[0].rfind("Koden blir längre än 255 tecken", 0), 0u);
  EXPECT_EQ(app->format.code(), ">$ NFS");
}

TEST_F(FormatDialogModelTest, TheExportVariantStartsFromTheStandardFormat) {
  Sample();
  FormatDialogModel m(*app);
  const ExportFormatDialog d = ExportDialog(ExportKind::Kml);
  m.OpenForExport(d);
  EXPECT_TRUE(m.exportVariant());
  EXPECT_TRUE(m.headings());
  EXPECT_FALSE(m.headingsEnabled());
  EXPECT_EQ(m.start(), ">.$ INF;X+ INF;Y+ ");
  EXPECT_EQ(Chosen(m),
            (Strings{"Runtext (Runtext.run)", "Fornvästnordisk text (Stavbas.fvn)",
                     "Engelsk översättning (Stavbas.eng)", "Material", "Plats", "Socken", "Härad",
                     "Kommun", "Period/Datering", "Sockenkod/Fornlämningsnr."}));
  // Unchanged, the standard format is taken as it stands (its commas included).
  auto choice = m.ExportOk();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->code, d.standardFormat);
  EXPECT_EQ(choice->entries.size(), 10u);
  // Changed, the code is the fixed part and the chosen elements.
  m.Remove({1, 2, 3, 5, 6, 7, 8, 9});
  m.Add({Position(m, "Nationellt fornspråk (Stavbas.nfs)")});
  choice = m.ExportOk();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->code, ">.$ INF;X+ INF;Y+ RUN INF;P+ NFS ");
  EXPECT_EQ(choice->entries, (Strings{"Runtext (Runtext.run)", "Plats",
                                      Utf8ToCp1252("Nationellt fornspråk (Stavbas.nfs)")}));
  // Too long: a message, nothing chosen, the dialog stays.
  for (int i = 0; i < 60; ++i) m.Add({0});
  EXPECT_FALSE(m.ExportOk());
  // The format commands' dialog keeps its own list.
  m.OpenForLayout(LayoutKind::kText);
  EXPECT_TRUE(m.chosen().empty());
  EXPECT_FALSE(m.exportVariant());
}

TEST_F(FormatDialogModelTest, TheCsvStandardFormatIsTheFixedPartAndOffersNothingChosen) {
  Sample();
  FormatDialogModel m(*app);
  app->settings.csv.standardFormat = ">.$, INF;X+ INF;Y+ INF;A+";
  m.OpenForExport(ExportDialog(ExportKind::Csv));
  EXPECT_EQ(m.start(), ">.$, INF;X+ INF;Y+ INF;A+ ");
  EXPECT_TRUE(m.chosen().empty());
  EXPECT_EQ(m.ExportOk()->code, ">.$, INF;X+ INF;Y+ INF;A+");
}

}  // namespace
}  // namespace stavbas
