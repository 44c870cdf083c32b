// Saving the output window: rich text and plain text, writing anew and adding to the end, the
// comment lines, a name remembered from the settings, and a failed save that keeps the file.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "app/text_saving.h"
#include "base/cp1252.h"
#include "output/output_fixture.h"
#include "output/text_save.h"
#include "output/window_append.h"
#include "support/command.h"

namespace stavbas {
namespace {

class TextSavingTest : public ::testing::Test, public test::OutputFixture {
 protected:
  void SetUp() override {
    Sample();
    saving = std::make_unique<TextSaving>(*app, window);
  }
  void Show(const std::string& utf8) {
    window.Clear();
    TextStyle red = window.defaultStyle;
    red.color = kRed;
    window.Append({{Utf8ToCp1252(utf8) + "\r\n", window.defaultStyle}, {"hit\r\n", red}});
  }
  // Chooses a name as "Spara som..." does, answering the overwrite question when it comes.
  bool SaveAs(const std::string& name, OverwriteChoice answer = OverwriteChoice::kReplace) {
    if (saving->Choose(dir / name) && !saving->Answer(answer)) return false;
    return saving->Write();
  }
  std::string Unrtf(const std::string& name) {
    const test::CommandResult r = test::RunCommand("unrtf --text " + test::Quoted(dir / name));
    EXPECT_EQ(r.status, 0);
    const std::size_t rule = r.out.find("-----------------\n");
    return Cp1252ToUtf8(rule == std::string::npos ? r.out : r.out.substr(rule + 18));
  }
  std::unique_ptr<TextSaving> saving;
};

TEST_F(TextSavingTest, RichTextIsWrittenAnewOrAfterTheFilesEarlierContent) {
  Show("Första körningen");
  ASSERT_TRUE(SaveAs("ut.rtf"));
  EXPECT_EQ(saving->type(), ".RTF");
  EXPECT_EQ(Unrtf("ut.rtf"), "Första körningen\nhit\n");
  // Another program's document, added to twice: each save puts the output after the content
  // the file had when adding was chosen.
  dir.WriteBytes("annan.rtf",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Helvetica;}}\\f0 Annan text\\par}");
  Show("Andra");
  ASSERT_TRUE(SaveAs("annan.rtf", OverwriteChoice::kAppend));
  EXPECT_EQ(Unrtf("annan.rtf"), "Annan text\nAndra\nhit\n");
  Show("Tredje");
  ASSERT_TRUE(saving->Write());
  EXPECT_EQ(Unrtf("annan.rtf"), "Annan text\nTredje\nhit\n");
  // Written anew.
  ASSERT_TRUE(SaveAs("annan.rtf", OverwriteChoice::kReplace));
  EXPECT_EQ(Unrtf("annan.rtf"), "Tredje\nhit\n");
  EXPECT_EQ(host.panels[0], "") << "\"Sparar...\" is gone after the save";
}

TEST_F(TextSavingTest, AddingToTextKeepsTheEarlierBytesAndStartsANewLine) {
  dir.WriteBytes("ut.txt", "rad 1\r\nrad 2 utan slut");
  Show("Ny");
  ASSERT_TRUE(SaveAs("ut.txt", OverwriteChoice::kAppend));
  EXPECT_EQ(dir.ReadBytes("ut.txt"), "rad 1\r\nrad 2 utan slut\r\nNy\r\nhit\r\n");
  Show("Nyare");
  ASSERT_TRUE(saving->Write());
  EXPECT_EQ(dir.ReadBytes("ut.txt"), "rad 1\r\nrad 2 utan slut\r\nNyare\r\nhit\r\n");
  // Bytes that are no text of ours stay as they are.
  dir.WriteBytes("binar.txt", std::string("\0\xFF\x81x\n", 5));
  ASSERT_TRUE(SaveAs("binar.txt", OverwriteChoice::kAppend));
  EXPECT_EQ(dir.ReadBytes("binar.txt"), std::string("\0\xFF\x81x\nNyare\r\nhit\r\n", 17));
}

TEST_F(TextSavingTest, CommentLinesGoOnlyInFrontOfTextSavedOverAFile) {
  app->settings.consts.comment = true;
  ASSERT_TRUE(app->conditions.ParseWordSearchCode("RUN:stain"));
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  Show("Text");
  ASSERT_TRUE(SaveAs("ny.txt"));
  EXPECT_EQ(dir.ReadBytes("ny.txt"), "Text\r\nhit\r\n") << "a new file gets no comment lines";
  ASSERT_TRUE(saving->Write());
  EXPECT_EQ(dir.ReadBytes("ny.txt"),
            "! Villkor: RUN:stain\r\n! Landskapsurval: U\r\n! Formatkod: >.$ RUN NFS FVN\r\n"
            "! Datafilnamn: " +
                dir / "STAVBAS" + "\r\nText\r\nhit\r\n");
  // Never in rich text: lines before "{\rtf" would make a file no reader opens.
  ASSERT_TRUE(SaveAs("ut.rtf"));
  ASSERT_TRUE(saving->Write());
  EXPECT_EQ(dir.ReadBytes("ut.rtf").rfind("{\\rtf1", 0), 0u);
}

TEST_F(TextSavingTest, ARememberedNameAsksBeforeItsFileIsReplaced) {
  dir.WriteBytes("forra.txt", "förra sessionens text");
  settings.saveFile.name = dir / "forra.txt";
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_TRUE(saving->chosen());
  EXPECT_TRUE(saving->MustConfirm());
  // "Avbryt": nothing is chosen and the file stays.
  EXPECT_FALSE(saving->Answer(OverwriteChoice::kCancel));
  EXPECT_FALSE(saving->chosen());
  EXPECT_EQ(dir.ReadBytes("forra.txt"), "förra sessionens text");
  // Confirmed once, the session saves there without asking again.
  saving->Choose(dir / "forra.txt");
  ASSERT_TRUE(saving->Answer(OverwriteChoice::kReplace));
  EXPECT_FALSE(saving->MustConfirm());
  // A remembered file that is gone gets no overwrite question (see below for what it gets).
  settings.saveFile.name = dir / "borta.txt";
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_TRUE(saving->chosen());
  EXPECT_FALSE(saving->MustConfirm());
}

// A settings file may name any file as the save file, one that does not exist yet too (a
// start-up script of the desktop, say). "Spara" writes there without asking only once this
// session has chosen or saved to the name; until then it shows the save dialog with the name.
TEST_F(TextSavingTest, ARememberedNameOfNoFileIsChosenInTheDialogFirst) {
  settings.saveFile.name = dir / "ny.txt";
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_TRUE(saving->chosen()) << "the settings keep remembering it";
  EXPECT_TRUE(saving->MustChoose());
  EXPECT_FALSE(saving->MustConfirm());
  EXPECT_EQ(saving->DialogName(), dir / "ny.txt");
  // Chosen in the dialog: written, and from then on written without asking.
  Show("Första");
  ASSERT_TRUE(SaveAs("ny.txt"));
  EXPECT_FALSE(saving->MustChoose());
  EXPECT_FALSE(saving->MustConfirm());
  Show("Andra");
  ASSERT_TRUE(saving->Write());
  EXPECT_EQ(dir.ReadBytes("ny.txt"), "Andra\r\nhit\r\n");

  // A link to a file elsewhere that is not there yet is no file: the dialog too.
  std::filesystem::create_symlink(dir / "elsewhere.desktop", dir.path() / "link.txt");
  settings.saveFile.name = dir / "link.txt";
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_TRUE(saving->MustChoose());
  // Nothing remembered, nothing chosen: the dialog, as ever.
  settings.saveFile.name.clear();
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_TRUE(saving->MustChoose());
  // A remembered file that exists keeps its overwrite question; its "Avbryt" leaves nothing
  // chosen, so the next "Spara" shows the dialog.
  settings.saveFile.name = dir / "ny.txt";
  MakeApp();
  saving = std::make_unique<TextSaving>(*app, window);
  EXPECT_FALSE(saving->MustChoose());
  EXPECT_TRUE(saving->MustConfirm());
  EXPECT_FALSE(saving->Answer(OverwriteChoice::kCancel));
  EXPECT_TRUE(saving->MustChoose());
}

TEST_F(TextSavingTest, TheKeptContentBelongsToItsFileAlone) {
  dir.WriteBytes("a.txt", "A:s innehåll\r\n");
  Show("Utdata");
  ASSERT_TRUE(SaveAs("a.txt", OverwriteChoice::kAppend));
  // Another file chosen: its save carries nothing of a.txt.
  ASSERT_TRUE(SaveAs("b.txt"));
  EXPECT_EQ(dir.ReadBytes("b.txt"), "Utdata\r\nhit\r\n");
  // Back to a.txt, written anew: the old content is not put back from somewhere.
  dir.WriteBytes("a.txt", "A igen\r\n");
  ASSERT_TRUE(SaveAs("a.txt", OverwriteChoice::kReplace));
  EXPECT_EQ(dir.ReadBytes("a.txt"), "Utdata\r\nhit\r\n");
  // A cancelled question forgets the content too.
  dir.WriteBytes("c.txt", "C\r\n");
  saving->Choose(dir / "c.txt");
  ASSERT_TRUE(saving->Answer(OverwriteChoice::kAppend));
  saving->Choose(dir / "c.txt");
  EXPECT_FALSE(saving->Answer(OverwriteChoice::kCancel));
  EXPECT_FALSE(saving->append());
}

TEST_F(TextSavingTest, NamesTypesAndAWindowThatDroppedOldText) {
  EXPECT_EQ(TextSaving::WithExtension("/a/ut", false), "/a/ut.RTF");
  EXPECT_EQ(TextSaving::WithExtension("/a/ut", true), "/a/ut.TXT");
  EXPECT_EQ(TextSaving::WithExtension("/a/ut.rtf", true), "/a/ut.rtf");
  EXPECT_FALSE(saving->TextOnly());
  saving->Choose(dir / "ut.rtf");
  EXPECT_EQ(saving->DialogName(), dir / "ut.rtf");
  EXPECT_EQ(Cp1252ToUtf8(saving->Hint()), "Vid klicka på \"Spara\" så skrivs till filen ut.rtf");
  window.maxLength = kMinMaxLength;
  EXPECT_TRUE(saving->TextOnly());
  EXPECT_EQ(saving->DialogName(), dir / "ut");
  // A lower-case extension saves the kind it names.
  Show("x");
  ASSERT_TRUE(SaveAs("liten.txt"));
  EXPECT_EQ(dir.ReadBytes("liten.txt"), "x\r\nhit\r\n");
}

TEST_F(TextSavingTest, AFailedSaveLeavesTheEarlierFileAndSaysWhy) {
  dir.WriteBytes("ut.txt", "viktig text\r\n");
  Show(std::string(5000, 'x'));
  saving->Choose(dir / "ut.txt");
  ASSERT_TRUE(saving->Answer(OverwriteChoice::kReplace));
  // The disk takes no more than 100 bytes per file.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = saving->Write();
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(dir.ReadBytes("ut.txt"), "viktig text\r\n");
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.BoxTexts()[0].rfind("Texten kunde inte sparas: ", 0), 0u);
  // A document that says it is RTF but cannot be extended is not added to.
  dir.WriteBytes("trasig.rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}} ingen slutklammer");
  host.Clear();
  saving->Choose(dir / "trasig.rtf");
  EXPECT_FALSE(saving->Answer(OverwriteChoice::kAppend));
  EXPECT_FALSE(saving->chosen());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.BoxTexts()[0].find("ingen RTF-fil som texten kan läggas till i"),
            std::string::npos);
}

}  // namespace
}  // namespace stavbas
