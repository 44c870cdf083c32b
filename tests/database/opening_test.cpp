// Opening a database: which files take part, in which order, and what their headers say.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "database/info_file.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

constexpr const char* kRun = "!/R Runtext\nU 12 V sten : þisi\nU 150 V kuml\n";

bool Contains(const Strings& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(Opening, IgnoredFilesAndTheExtensionsThatCount) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  m.Write("STAVBAS.BAK", kRun);
  m.Write("STAVBAS.TXT", "x\n");
  m.Write("STAVBAS.NFSX", "U 12 V sten þisi\nU 150 V kuml\n");
  m.Write("STAVBAS.R~N", kRun);   // a character that is no letter or digit
  m.Write("STAVBASE.RUN", kRun);  // another base name
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(m.db.count(), 2);
  EXPECT_EQ(m.db.DataFile(1).Extension(), "NFS");
  EXPECT_EQ(m.db.DataFile(1).kind(), kNormtext);
  EXPECT_EQ(m.db.DataFile(2).Extension(), "RUN");
  const Strings lines = m.host.Lines();
  EXPECT_TRUE(Contains(lines, "STAVBAS.BAK ignoreras."));
  EXPECT_TRUE(Contains(lines, "STAVBAS.TXT ignoreras."));
  EXPECT_TRUE(Contains(lines, "STAVBAS.R~N ignoreras."));
  EXPECT_TRUE(Contains(lines, "STAVBAS.$AD saknas."));
  EXPECT_FALSE(m.ui.errorsNoted);
  EXPECT_TRUE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
}

// A device, a pipe or a folder under a data file's name would be read for ever, or block the
// opening; only regular files (also through a link) are data files.
TEST(Opening, OnlyRegularFilesAreRead) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  m.Write("real.nfs", "U 12 V sten þisi\nU 150 V kuml\n");
  std::filesystem::create_symlink(m.dir / "real.nfs", m.dir / "STAVBAS.NFS");
  std::filesystem::create_symlink("/dev/zero", m.dir / "STAVBAS.ENG");
  ASSERT_EQ(mkfifo((m.dir / "STAVBAS.FVN").c_str(), 0644), 0);
  std::filesystem::create_directory(m.dir / "STAVBAS.INF");
  ASSERT_EQ(mkfifo((m.dir / "STAVBAS.$AD").c_str(), 0644), 0);
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(m.db.count(), 2);
  const Strings lines = m.host.Lines();
  for (const char* name : {"ENG", "FVN", "INF", "$AD"})
    EXPECT_TRUE(
        Contains(lines, std::string("STAVBAS.") + name + " är inte en vanlig fil och ignoreras."))
        << name;
  EXPECT_TRUE(m.ui.errorsNoted);
  // The index cannot take the pipe's place.
  EXPECT_EQ(m.host.BoxTexts().back(), "FEL 22 (STAVBAS.$AD): Inte en vanlig fil");
  EXPECT_TRUE(m.Find("U 150"));
  // Nor is a pipe read as anything else.
  LineFile f;
  EXPECT_EQ(f.Open(m.dir / "STAVBAS.FVN"), EINVAL);
  EXPECT_EQ(f.Open(m.dir / "STAVBAS.INF"), EISDIR);
}

TEST(Opening, NamesAreMatchedWithoutRegardToCase) {
  MiniDb m;
  m.Write("stavbas.run", kRun);
  m.Write("StavBas.Eng", "U 12 V This stone\nU 150 V Monument\n");
  ASSERT_TRUE(m.Open("STAVBAS"));
  EXPECT_EQ(m.db.count(), 2);
  EXPECT_EQ(m.db.DataFile(1).Extension(), "ENG");
  EXPECT_EQ(m.db.DataFile(1).kind(), kHeltext);
  EXPECT_EQ(m.db.MainWordFile(), 2);
  EXPECT_EQ(m.db.BaseName(), "StavBas");
  EXPECT_EQ(m.db.DataDirectory(), m.dir.path().string() + "/");
}

TEST(Opening, IncompleteFilesFollowTheCompleteOnes) {
  MiniDb m;
  m.Write("STAVBAS.AAA", "!/O\n!/F NT\nU 150 V kuml\n");
  m.Write("STAVBAS.BBB", "!/F RT\nU 12 V a\nU 150 V b\n");
  m.Write("STAVBAS.CCC", "!/F NS\n!/O\nU 12 V a\n");
  m.Write("STAVBAS.DDD", "!/F X\nU 12 V a\nU 150 V b\n");
  ASSERT_TRUE(m.Open());
  ASSERT_EQ(m.db.count(), 4);
  Strings order;
  for (int s = 1; s <= 4; ++s) order.push_back(m.db.DataFile(s).Extension());
  EXPECT_EQ(order, (Strings{"BBB", "DDD", "AAA", "CCC"}));
  EXPECT_FALSE(m.db.DataFile(3).complete);
  EXPECT_EQ(m.db.DataFile(3).kind(), kNormtext);
  EXPECT_EQ(m.db.DataFile(4).kind(), kNormsok);
  EXPECT_EQ(m.db.DataFile(2).kind(), kHeltext);
  EXPECT_EQ(m.db.MainWordFile(), 1);
}

TEST(Opening, AtMostFifteenDataFiles) {
  MiniDb m;
  for (int i = 0; i < 16; ++i) m.Write("STAVBAS.R" + std::to_string(10 + i), kRun);
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(m.db.count(), 15);
  EXPECT_TRUE(Contains(m.host.Lines(), "För många filer! STAVBAS.R25 ignoreras."));
  EXPECT_TRUE(m.ui.errorsNoted);
}

TEST(Opening, HeaderParametersAndTheirFaults) {
  MiniDb m;
  m.Write("STAVBAS.RUN",
          "! a comment\n!/R A title that is longer than thirty-one characters\n!/N x\n!/V 2\n"
          "!/Q what\nU 12 V a\nU 150 V b\n");
  m.Write("STAVBAS.NFS", "!/F Q1\n!/I PPlats\nU 12 V a\nU 150 V b\n");
  m.Write("STAVBAS.INF", "U 12 V \x10Uppsala\x10\nU 150 V\n");
  ASSERT_TRUE(m.Open());
  const TDatafil& run = m.db.DataFile(m.db.SlotOfExtension("RUN"));
  EXPECT_EQ(run.title, "A title that is longer than thi");
  const TDatafil& nfs = m.db.DataFile(m.db.SlotOfExtension("NFS"));
  EXPECT_EQ(nfs.kind(), kHeltext);
  const auto& inf = dynamic_cast<const TInfoFil&>(m.db.DataFile(m.db.SlotOfExtension("INF")));
  EXPECT_EQ(inf.codeLetters(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const Strings lines = m.host.Lines();
  EXPECT_TRUE(Contains(lines, "Obegriplig parameter: !/Q what"));
  EXPECT_TRUE(Contains(lines, "Inforubriker men inte infofil!"));
  EXPECT_TRUE(Contains(lines, "Inga Inforubriker!"));
  EXPECT_TRUE(Contains(m.host.BoxTexts(), "Fel parameter: Q1 "));
  EXPECT_TRUE(m.ui.errorsNoted);
}

TEST(Opening, KindsFromTheFileParameter) {
  struct Case {
    const char* value;
    int kind;
    bool message;
  } cases[] = {{"RT", kRuntext, false},  {"rf", kRunsok, false},    {"RS", kRunsok, false},
               {"NT", kNormtext, false}, {"NF", kNormsok, false},   {"I", kInfotext, false},
               {"I1", kInfotext, false}, {"I2", kInfotext2, false}, {"IX", kInfotext, false},
               {"X", kHeltext, false},   {"R", kHeltext, true},     {"NQ", kHeltext, true},
               {"Z", kHeltext, true}};
  for (const Case& c : cases) {
    MiniDb m;
    m.Write("STAVBAS.RUN", kRun);
    m.Write("STAVBAS.ZZZ", std::string("!/F ") + c.value + "\n!/I PPlats\nU 12 V a\nU 150 V b\n");
    ASSERT_TRUE(m.Open()) << c.value;
    EXPECT_EQ(m.db.DataFile(m.db.SlotOfExtension("ZZZ")).kind(), c.kind) << c.value;
    EXPECT_EQ(!m.host.boxes.empty(), c.message) << c.value;
  }
}

TEST(Opening, WithoutACompleteWordFileTheDatabaseIsUnusable) {
  MiniDb m;
  m.Write("STAVBAS.ENG", "U 12 V This stone\n");
  m.Write("STAVBAS.RUN", "!/O\nU 12 V a\n");
  EXPECT_FALSE(m.Open());
  EXPECT_FALSE(m.db.usable());
  EXPECT_EQ(m.host.BoxTexts().back(), "Ingen fullständig ordfil: " + (m.dir / "STAVBAS"));
  EXPECT_FALSE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));  // nothing written

  MiniDb none;
  EXPECT_FALSE(none.Open("NOTHING"));
}

TEST(Opening, TheProgramFolderIsTriedForABareBaseName) {
  MiniDb m;
  m.Write("stavbas.run", kRun);
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  m.db.SetProgramFile(m.dir / "Stavbas.exe");
  const bool opened = m.db.Open("NOSUCHDB");
  std::filesystem::current_path(cwd);
  ASSERT_TRUE(opened);
  EXPECT_FALSE(m.db.relativeNames());
  EXPECT_EQ(m.db.DataFile(1).path(), m.dir / "stavbas.run");
}

TEST(Opening, UnreadableAndBrokenFilesDoNotStopTheOpening) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  // A folder where a data file is expected cannot be read as text.
  std::filesystem::create_directory(m.dir.path() / "STAVBAS.NFS");
  // Binary garbage with NUL bytes and a line far longer than the line buffer.
  std::string junk("U 12 V a\0b\x01\xFF\n", 13);
  junk += "U 150 V " + std::string(5000, 'x') + "\n";
  m.dir.WriteBytes("STAVBAS.FVN", junk);
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(m.ui.errorsNoted);
  EXPECT_EQ(m.db.count(), 2);  // the folder is left out with a fault line
  ASSERT_TRUE(m.Find("U 150"));
  const TDatafil& fvn = m.db.DataFile(m.db.SlotOfExtension("FVN"));
  EXPECT_EQ(fvn.LineView().size(), kLineCapacity);
  ASSERT_TRUE(m.Find("U 12"));
  // The text goes on after the NUL, which is shown as "?".
  EXPECT_EQ(fvn.LineView(), "U 12 V a?b\x01\xFF");
  EXPECT_EQ(fvn.RawLength(), 12u);
}

}  // namespace
}  // namespace stavbas
