// The error table and the message helpers.

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/ui.h"
#include "support/recording_host.h"

namespace stavbas {
namespace {

using test::RecordingHost;

TEST(Messages, ComposedTexts) {
  RecordingHost host;
  Ui ui(host);
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4242)), "blanktecken  saknas.");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(5000)), "Okänt fel har inträffat, felkod: 5000");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4222)), "\\ utan tecken efter ");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4264)), "@ först är oklart");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4483)), "blanktecken måste ersättas med _");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4486)), "= bör stå först ");
  EXPECT_EQ(Cp1252ToUtf8(ui.MessageOf(4263)), "@ sist i delsträng går ej");
  EXPECT_EQ(ui.MessageOf(4160), ui.MessageOf(4161));
  EXPECT_EQ(ui.MessageOf(4201), ui.MessageOf(4236));
}

TEST(Messages, ConfirmationRaisesTheAbortRequestOnlyOnYes) {
  RecordingHost host;
  Ui ui(host);
  host.answers = {false, true};
  EXPECT_FALSE(ui.ShowMessage("Avbryt?", MsgKind::Confirmation));
  EXPECT_FALSE(ui.abortRequest);
  EXPECT_TRUE(ui.ShowMessage("Avbryt?", MsgKind::Confirmation));
  EXPECT_TRUE(ui.abortRequest);
  // A Yes to another kind of box is no answer at all.
  host.answers = {true};
  ui.abortRequest = false;
  EXPECT_FALSE(ui.ShowMessage("info", MsgKind::Information));
  EXPECT_FALSE(ui.abortRequest);
}

TEST(Messages, LinesAndFlags) {
  RecordingHost host;
  Ui ui(host);
  ui.ProgressLine("STAVBAS.RUN");
  EXPECT_FALSE(ui.errorsNoted);
  ui.FaultLine("fel");
  EXPECT_TRUE(ui.errorsNoted);
  ui.quiet = true;
  ui.MessageLine("dropped");
  ui.quiet = false;
  ui.MessageLine("shown");
  EXPECT_EQ(host.messageLines, std::vector<std::string>{"shown"});
  ui.CommentLine("kod");
  EXPECT_EQ(host.comments, std::vector<std::string>{"! kod"});
  EXPECT_FALSE(ui.CheckIOResult(0, "A"));
  EXPECT_TRUE(ui.CheckIOResult(2, "A.$AD"));
  ui.ShowErrorNumber(3, MsgKind::Error);
  EXPECT_EQ(host.BoxTexts(),
            (std::vector<std::string>{"FEL 2 (A.$AD): Filen eller mappen finns inte",
                                      "Fel nr 3 har inträffat. "}));
}

TEST(Messages, EveryTextHasANameAndTheTableCanBeReplaced) {
  for (unsigned i = 0; i < static_cast<unsigned>(Str::Count); ++i) {
    const auto id = static_cast<Str>(i);
    EXPECT_EQ(StringTable::FindName(StringTable::NameOf(id)), id);
    EXPECT_FALSE(StringTable::Swedish()[id].empty());
  }
  StringTable english = StringTable::Swedish();
  english.Set(Str::FelaktigtSignum, "Faulty signum");
  RecordingHost host;
  Ui ui(host);
  ui.SetStrings(english);
  EXPECT_EQ(ui.MessageOf(4101), "Faulty signum");
}

}  // namespace
}  // namespace stavbas
