// The .ini layer: how lines are read, how writing changes only what it writes, and saving.

#include <gtest/gtest.h>

#include "app/profile_file.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(ProfileFileRead, NamesCompareWithoutCaseAndValuesAreTrimmedAndUnquoted) {
  const ProfileFile p = ProfileFile::FromText(
      "[Const]\r\n"
      "  Paus = 0  \r\n"
      "ErrorMail=\"  a@b  \"\r\n"
      "Half=\"open\r\n"
      "Inner=\"a\",\"b\"\r\n"
      "Twice=\"\"x\"\"\r\n"
      "MellanKoord=\t\r\n"
      "[\xD6l ]\r\n"  // Windows-1252 names fold too
      "\xF6L=7\r\n");
  EXPECT_EQ(p.Value("const", "PAUS"), "0");
  EXPECT_EQ(p.Value("Const", "ErrorMail"), "  a@b  ");
  EXPECT_EQ(p.Value("Const", "Half"), "\"open");
  EXPECT_EQ(p.Value("Const", "Inner"), "a\",\"b") << "one enclosing pair goes";
  EXPECT_EQ(p.Value("Const", "Twice"), "\"x\"");
  EXPECT_EQ(p.Value("Const", "MellanKoord"), "\t") << "a tab is a value, not white space";
  EXPECT_EQ(p.Value("\xD6L", "\xD6l"), "7");
  EXPECT_EQ(p.Value("Const", "Missing"), std::nullopt);
  EXPECT_EQ(p.Value("Missing", "Paus"), std::nullopt);
}

// A file saved by an old Mac editor ends its lines with a lone CR; each line keeps its own end.
TEST(ProfileFileRead, EveryKindOfLineEndEndsALine) {
  ProfileFile p = ProfileFile::FromText("[A]\rx=1\ry=2\r\n[B]\nz=3");
  EXPECT_EQ(p.Value("A", "x"), "1");
  EXPECT_EQ(p.Value("A", "y"), "2");
  EXPECT_EQ(p.Value("B", "z"), "3");
  p.WriteString("A", "x", "9");
  p.WriteString("A", "w", "new");
  EXPECT_EQ(p.Text(), "[A]\rx=9\ry=2\r\nw=new\r[B]\nz=3");
}

TEST(ProfileFileRead, OddLinesAreSkippedAndTheFirstSectionAndKeyCount) {
  const ProfileFile p = ProfileFile::FromText(
      "\xEF\xBB\xBF[A]\n"  // a byte order mark in front of the first section
      "x=1\n"
      "; x=2\n"
      "garbage without equals\n"
      "[B\n"  // no "]": not a section
      "x=3\n"
      "=4\n"
      "[A]\n"
      "y=5\n"
      "[C] trailing\n"
      "k=first\n"
      "K=second\n");
  EXPECT_EQ(p.Value("A", "x"), "1");
  EXPECT_EQ(p.Value("B", "x"), std::nullopt);
  EXPECT_EQ(p.Value("A", "y"), std::nullopt) << "only the first [A] counts";
  EXPECT_EQ(p.Value("C", "k"), "first");
  EXPECT_EQ(p.Entries("A"), (Entries{{"x", "1"}}))
      << "comments, lines without a key, empty keys and repeated keys are no entries";
  EXPECT_EQ(p.Entries("C"), (Entries{{"k", "first"}}));
  EXPECT_TRUE(p.Entries("Z").empty());
}

TEST(ProfileFileRead, IntegersAndBooleans) {
  const ProfileFile p = ProfileFile::FromText(
      "[N]\na=12\nb=-3\nc=+4\nd=12abc\ne=\nf=99999999999\ng= 7 \nt=2\nz=0\ny=yes\n");
  EXPECT_EQ(p.ReadInteger("N", "a", 9), 12);
  EXPECT_EQ(p.ReadInteger("N", "b", 9), -3);
  EXPECT_EQ(p.ReadInteger("N", "c", 9), 4);
  EXPECT_EQ(p.ReadInteger("N", "d", 9), 9);
  EXPECT_EQ(p.ReadInteger("N", "e", 9), 9);
  EXPECT_EQ(p.ReadInteger("N", "f", 9), 9);
  EXPECT_EQ(p.ReadInteger("N", "g", 9), 7);
  EXPECT_EQ(p.ReadInteger("N", "missing", 9), 9);
  EXPECT_TRUE(p.ReadBool("N", "t", false));
  EXPECT_FALSE(p.ReadBool("N", "z", true));
  EXPECT_TRUE(p.ReadBool("N", "y", true));
  EXPECT_FALSE(p.ReadBool("N", "y", false));
}

TEST(ProfileFileWrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
  const std::string original =
      "; settings\r\n"
      "[Const]\r\n"
      "Paus = 1  \r\n"
      "Unknown=keep me\r\n"
      "comment=x\r\n"
      "\r\n"
      "[Other]\r\n"
      "k=v\r\n";
  ProfileFile p = ProfileFile::FromText(original);
  p.WriteBool("Const", "paus", true);
  EXPECT_EQ(p.Text(), original) << "an unchanged value leaves its line as written";
  p.WriteBool("CONST", "paus", false);
  p.WriteString("Const", "Comment", "y");
  EXPECT_EQ(p.Text(),
            "; settings\r\n"
            "[Const]\r\n"
            "Paus=0\r\n"
            "Unknown=keep me\r\n"
            "comment=y\r\n"
            "\r\n"
            "[Other]\r\n"
            "k=v\r\n");
}

TEST(ProfileFileWrite, NewKeysJoinTheirSectionAndNewSectionsTheEnd) {
  ProfileFile p = ProfileFile::FromText("[A]\na=1\n; end of A\n\n\n[B]\nb=2");
  p.WriteString("A", "new", "n");
  p.WriteString("B", "more", "m");
  p.WriteString("C", "c", "3");
  EXPECT_EQ(p.Text(), "[A]\na=1\n; end of A\nnew=n\n\n\n[B]\nb=2\nmore=m\n\n[C]\nc=3\n")
      << "LF files stay LF";
  ProfileFile empty;
  empty.WriteString("S", "k", "v");
  EXPECT_EQ(empty.Text(), "[S]\r\nk=v\r\n");
  ProfileFile headerOnly = ProfileFile::FromText("[S]");
  headerOnly.WriteInteger("S", "n", -5);
  EXPECT_EQ(headerOnly.Text(), "[S]\r\nn=-5\r\n");
}

TEST(ProfileFileWrite, ValuesReadBackAsWritten) {
  ProfileFile p;
  const std::vector<std::string> values = {"plain", "",      "  blanks  ", "\"quoted\"", "\"a\",1",
                                           "\t",    "tab\t", "\"",         "a = b"};
  for (size_t i = 0; i < values.size(); ++i) p.WriteString("S", "k" + std::to_string(i), values[i]);
  const ProfileFile again = ProfileFile::FromText(p.Text());
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(again.Value("S", "k" + std::to_string(i)), values[i]) << i;
  p.WriteRaw("S", "raw", "\"x\"");
  EXPECT_EQ(ProfileFile::FromText(p.Text()).Value("S", "raw"), "x");
}

TEST(ProfileFileWrite, LineBreaksAndImpossibleKeysCannotBreakTheFile) {
  ProfileFile p = ProfileFile::FromText("[S]\r\n");
  p.WriteString("S", "k", "one\r\ntwo\nthree");
  p.WriteString("S", "a=b", "x");
  p.WriteString("S", ";c", "x");
  p.WriteString("S", "[T]", "x");
  p.WriteString("S", "  ", "x");
  EXPECT_EQ(p.Text(), "[S]\r\nk=one  two three\r\n");
}

// Sections and keys are found through an index of their names: written keys, a section
// written anew, a later section of a name already used and a copy of the file all keep finding
// the lines they found before.
TEST(ProfileFileWrite, WrittenLinesAreFoundAgainAndCopiesStandAlone) {
  ProfileFile p = ProfileFile::FromText("\xEF\xBB\xBF[A]\nx=1\n\n[B]\nb=2\n[a]\nx=9\n");
  p.WriteString("a", "new", "1");
  p.WriteString("A", "NEW", "2");  // the line just added, not a second one
  p.WriteString("C", "c", "1");
  p.WriteString("c", "c", "2");
  p.WriteString("C", "d", "3");
  EXPECT_EQ(p.Text(), "\xEF\xBB\xBF[A]\nx=1\nnew=2\n\n[B]\nb=2\n[a]\nx=9\n\n[C]\nc=2\nd=3\n");
  EXPECT_EQ(p.Value("A", "x"), "1");
  EXPECT_EQ(p.Entries("A"), (Entries{{"x", "1"}, {"new", "2"}}));
  EXPECT_EQ(p.Entries("C"), (Entries{{"c", "2"}, {"d", "3"}}));

  ProfileFile copy = p;
  copy.WriteString("B", "b", "copied");
  copy.WriteString("B", "more", "m");
  EXPECT_EQ(copy.Value("B", "b"), "copied");
  EXPECT_EQ(copy.Entries("B"), (Entries{{"b", "copied"}, {"more", "m"}}));
  EXPECT_EQ(p.Value("B", "b"), "2") << "the copy's writes are its own";
  EXPECT_EQ(p.Value("B", "more"), std::nullopt);
  copy = p;
  EXPECT_EQ(copy.Text(), p.Text());
  copy.WriteString("A", "x", "7");
  EXPECT_EQ(copy.Value("A", "x"), "7");
  EXPECT_EQ(p.Value("A", "x"), "1");
  const ProfileFile moved = std::move(copy);
  EXPECT_EQ(moved.Value("A", "x"), "7");
}

TEST(ProfileFileSave, ReplacesTheFileWholeAndLeavesNothingBehind) {
  TempDir dir;
  const fs::path file = dir.path() / "stavbas.ini";
  dir.WriteBytes("stavbas.ini", "[A]\r\nx=1\r\n");
  ProfileFile p;
  ASSERT_TRUE(p.Load(file));
  p.WriteString("A", "x", "2");
  ASSERT_TRUE(p.Save(file));
  EXPECT_EQ(dir.ReadBytes("stavbas.ini"), "[A]\r\nx=2\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  // A missing file loads empty; a folder in its place cannot be loaded or replaced.
  ProfileFile missing;
  EXPECT_TRUE(missing.Load(dir.path() / "none.ini"));
  EXPECT_EQ(missing.Text(), "");
  fs::create_directory(dir.path() / "folder.ini");
  EXPECT_FALSE(missing.Load(dir.path() / "folder.ini"));
  EXPECT_FALSE(p.Save(dir.path() / "folder.ini"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder.ini"));
  EXPECT_FALSE(fs::exists(dir.path() / "folder.ini.tmp"));
  EXPECT_FALSE(p.Save(dir.path() / "no such folder" / "x.ini"));
}

TEST(ProfileFileSave, ALinkedFileKeepsItsLink) {
  TempDir dir;
  dir.WriteBytes("real.ini", "[A]\nx=1\n");
  fs::create_symlink(dir.path() / "real.ini", dir.path() / "stavbas.ini");
  ProfileFile p;
  ASSERT_TRUE(p.Load(dir.path() / "stavbas.ini"));
  p.WriteString("A", "x", "2");
  ASSERT_TRUE(p.Save(dir.path() / "stavbas.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "stavbas.ini"));
  EXPECT_EQ(dir.ReadBytes("real.ini"), "[A]\nx=2\n");
}

}  // namespace
}  // namespace stavbas
