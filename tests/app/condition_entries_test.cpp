// The entries of "Sök i text" and "Urval": what "OK" of their dialogs builds, the values the
// select dialog offers, and picked values that hold characters of the condition language.

#include <gtest/gtest.h>

#include "app/condition_entries.h"
#include "base/commands.h"
#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

class ConditionEntriesTest : public ::testing::Test, public test::OutputFixture {
 protected:
  const ConditionEntry& Word(const char* name) { return *FindEntry(WordSearchEntries(), name); }
  const ConditionEntry& Cond(const char* name) { return *FindEntry(InscriptionEntries(), name); }
  std::string Utf8(const std::string& s) const { return Cp1252ToUtf8(s); }
  bool Ok(const ConditionEntry& e, EntryTarget t, const std::string& utf8, bool exclude = false,
          bool picked = false, bool direct = false) {
    return AcceptEntry(*app, e, t, {Utf8ToCp1252(utf8), exclude, picked, direct});
  }
  bool ExportsEnabled() { return host.commands[std::string(command::kSkapaCsvFil)]; }
  // The signums an all run shows with the codes in force.
  Strings Shown() {
    window.Clear();
    EXPECT_TRUE(app->format.Validate(">$"));
    app->run.AllRun();
    Strings signums;
    std::string text = Text();
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find('\n', at);
      const std::string line = text.substr(at, end - at);
      if (!line.empty() && line.find("inskrift") == std::string::npos)
        signums.emplace_back(Trim(line));
      if (end == std::string::npos) break;
      at = end + 1;
    }
    return signums;
  }
};

TEST_F(ConditionEntriesTest, PromptsNameTheFileOrTheEntrysCaption) {
  Sample();
  const Ui& ui = app->ui;
  EXPECT_EQ(Utf8(EntryPrompt(ui, Word("Runtext"), "Runtext")), "Ange vad som söks i Stavbas.RUN");
  EXPECT_EQ(Utf8(EntryPrompt(ui, Cond("Plats"), "Plats")), "Vilken Plats söks?");
  EXPECT_EQ(Utf8(EntryPrompt(ui, Cond("Harad"), Utf8ToCp1252("Härad"))), "Vilket Härad söks?");
  EXPECT_EQ(Utf8(EntryPrompt(ui, Cond("Material"), "Material")), "Vad söks i Material?");
  EXPECT_EQ(Utf8(EntryPrompt(ui, Cond("Signumdel3"), "x")),
            "Vad söks i tredje delen av signum (M,U,$,†)?");
  app->ui.SetStrings(StringTable::English());
  EXPECT_EQ(Utf8(EntryPrompt(app->ui, Cond("Plats"), "Place")), "Which Place is sought?");
  // Every entry of the select dialogs offers the values of its own field.
  for (const ConditionEntry& e : InscriptionEntries())
    EXPECT_EQ(e.dialog == EntryDialog::kSelect, e.field != 0) << e.name;
  EXPECT_EQ(Cond("Stilgruppering").helpContext, 130);
  EXPECT_EQ(Cond("Ristare").helpContext, 16);
}

TEST_F(ConditionEntriesTest, OkReplacesOrJoinsAndFollowsTheDialogsChoices) {
  Sample();
  const ConditionEntry& runtext = Word("Runtext");
  EXPECT_FALSE(Ok(runtext, TargetOf(runtext, true, false), "sten *ar"));
  EXPECT_EQ(Utf8(app->conditions.wordSearchCode()), "RUN:sten_·ar");
  EXPECT_TRUE(ExportsEnabled());
  Ok(Word("Nfs"), TargetOf(runtext, true, true), "a &INF;S:x");
  EXPECT_EQ(Utf8(app->conditions.wordSearchCode()), "RUN:sten_·ar & NFS:a&INF;S:x");

  const ConditionEntry& plats = Cond("Plats");
  Ok(plats, TargetOf(plats, false, false), "Sigtuna");
  Ok(plats, TargetOf(plats, false, true), "Sigtuna", /*exclude=*/true);
  EXPECT_EQ(app->conditions.inscriptionCode(), "INF;P:Sigtuna & -INF;P:Sigtuna");
  // The signum entry upper-cases under "Nytt inskriftsvillkor" only.
  const ConditionEntry& signum = Cond("Signumdel3");
  EXPECT_EQ(TargetOf(signum, false, false), EntryTarget::kNewSignumCondition);
  Ok(signum, TargetOf(signum, false, false), "x");
  EXPECT_EQ(app->conditions.inscriptionCode(), "$3:X");
}

TEST_F(ConditionEntriesTest, SokDirektRunsOnlyAfterAnAcceptedOrEmptyAnswer) {
  Sample();
  const ConditionEntry& plats = Cond("Plats");
  EXPECT_TRUE(Ok(plats, EntryTarget::kNewCondition, "gård", false, false, true));
  EXPECT_TRUE(Ok(plats, EntryTarget::kNewCondition, "", false, false, true));
  EXPECT_EQ(Utf8(app->conditions.inscriptionCode()), "INF;P:gård")
      << "an empty answer builds nothing";
  host.Clear();
  // A refused code: its message, the previous code, and no run.
  EXPECT_FALSE(Ok(plats, EntryTarget::kFurtherCondition, "{x", false, false, true));
  EXPECT_EQ(Utf8(app->conditions.inscriptionCode()), "INF;P:gård");
  EXPECT_EQ(host.boxes.size(), 2u);
  // The export commands follow the codes in force: nothing narrows the selection after a
  // refused code that left no code.
  app->builder.RemoveInscriptionCondition();
  Ok(Word("Runtext"), EntryTarget::kNewWordSearch, "{x");
  EXPECT_FALSE(ExportsEnabled());
}

TEST_F(ConditionEntriesTest, TheSelectListHoldsEachValueOnceInSwedishOrder) {
  Database("U 1 V a\nU 2 V b\nU 3 V c\nU 4 V d\nU 5 V e\nU 6 V f\nU 7 V g\n",
           "U 1 V a\nU 2 V b\nU 3 V c\nU 4 V d\nU 5 V e\nU 6 V f\nU 7 V g\n", "",
           "U 1 V \x10östra\x10\nU 2 V \x10"
           "Alby\x10\x13S1\x13\nU 3 V \x10 alby \x10\n"
           "U 4 V \x10Åby\x10\nU 5 V \x10Zeta\x10\nU 6 V \x10Ärla\x10\nU 7 V \x10\x10\n");
  EXPECT_EQ(InfoFieldValues(app->db, 'P'), (Strings{"Alby", "Zeta", Utf8ToCp1252("Åby"),
                                                    Utf8ToCp1252("Ärla"), Utf8ToCp1252("östra")}));
  EXPECT_EQ(InfoFieldValues(app->db, 'S'), Strings{"S1"});
  EXPECT_TRUE(InfoFieldValues(app->db, 'K').empty());
}

TEST_F(ConditionEntriesTest, TheSelectListReadsInformationFilesOfTheSecondKind) {
  dir.WriteText("STAVBAS.RUN", "!/R Runtext\nU 1 V a\nU 2 V b\n");
  dir.WriteText("STAVBAS.NFS", "U 1 V a\nU 2 V b\n");
  dir.WriteText("STAVBAS.INF",
                "!/F I2\n!/I PPlats;SSocken\nU 1 V \xBEPUppsala\xBESUppsala sn\nU 2 V \xBESAsk\n");
  MakeApp();
  EXPECT_EQ(InfoFieldValues(app->db, 'P'), Strings{"Uppsala"});
  EXPECT_EQ(InfoFieldValues(app->db, 'S'), (Strings{"Ask", "Uppsala sn"}));
}

TEST_F(ConditionEntriesTest, APickedValueIsSoughtLiterallyAndATypedOneAsTyped) {
  const std::vector<std::string> places = {
      "Sigtuna/Uppsala", "Kyrka: norra & södra", "Gård #2", "Back_vik", "Sigtuna", "Uppsala"};
  std::string run, inf;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const std::string signum = "U " + std::to_string(i + 1) + " V ";
    run += signum + "a\n";
    inf += signum + "\x10" + places[i] + "\x10\n";
  }
  Database(run, run, "", inf);
  const ConditionEntry& plats = Cond("Plats");
  for (std::size_t i = 0; i < 4; ++i) {
    host.Clear();
    Ok(plats, EntryTarget::kNewCondition, places[i], false, /*picked=*/true);
    EXPECT_TRUE(host.boxes.empty()) << places[i] << ": " << host.BoxTexts()[0];
    EXPECT_EQ(Shown(), Strings{"U " + std::to_string(i + 1) + " V"}) << places[i];
  }
  EXPECT_EQ(Utf8(app->conditions.inscriptionCode()), "INF;P:Back\\_vik");
  // Typed, "/" separates alternatives as the user meant.
  Ok(plats, EntryTarget::kNewCondition, "Sigtuna/Uppsala");
  EXPECT_EQ(app->conditions.inscriptionCode(), "INF;P:Sigtuna/Uppsala");
  EXPECT_EQ(Shown(), (Strings{"U 1 V", "U 5 V", "U 6 V"}));
  EXPECT_EQ(EscapedValue("a\\b{c}*@="), "a\\\\b\\{c\\}\\*\\@\\=");
}

}  // namespace
}  // namespace stavbas
