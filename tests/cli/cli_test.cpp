// The command-line program as a script uses it: arguments, output and exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace stavbas {
namespace {

struct Result {
  int status;
  std::string out;
};

// Runs stavbas-cli with arguments (shell words); standard error is discarded.
Result Cli(const std::string& args) {
  const std::string command =
      std::string(STAVBAS_BINARY_DIR) + "/stavbas-cli " + args + " 2>/dev/null";
  Result r{-1, {}};
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.CopySampleDatabase(); }
  std::string Db() const { return "--database '" + (dir / "STAVBAS") + "'"; }
  test::TempDir dir;
};

TEST_F(CliTest, OneSignumInTheDefaultFormat) {
  const Result r = Cli(Db() + " --signum 'U 344'");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("\nU 344 V \nkunuarþr : lit : raisa")) << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST_F(CliTest, SearchesConditionsAndProvinces) {
  Result r = Cli(Db() + " --all --provinces 'Öl..Sö' --format 'ß$ RUN' --search 'RUN:_stain_'");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Öl 14 V   stain\n")) << r.out;
  EXPECT_NE(r.out.find(" ord (belägg) i "), std::string::npos);
  r = Cli(Db() + " --all --condition 'INF;P:finns inte någonstans' --format '$'");
  EXPECT_EQ(r.status, 1);  // nothing found
  EXPECT_EQ(r.out, "0 inskrifter\n");
}

TEST_F(CliTest, RefusedCodesAndUnusableDatabases) {
  EXPECT_EQ(Cli(Db() + " --all --search 'xyz:a'").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --condition 'RUN:a'").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --format 'RUN _'").status, 2);
  EXPECT_EQ(Cli("--database '" + (dir / "NOTHING") + "' --all").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --provinces 'Qq'").status, 2);
  EXPECT_EQ(Cli(Db()).status, 2);  // no run named
  EXPECT_EQ(Cli("--bogus").status, 2);
  const Result help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--provinces TEXT"), std::string::npos);
}

TEST_F(CliTest, SelectionFilesChecksAndRichText) {
  dir.WriteText("list.txt", "U 344\n! kommentar\nDR 66\n");
  Result r = Cli(Db() + " --list '" + (dir / "list.txt") + "' --format '$' --rtf '" +
                 (dir / "out.rtf") + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "U 344 V \nDR 66 V \n2 inskrifter\n");
  EXPECT_TRUE(dir.ReadBytes("out.rtf").starts_with("{\\rtf1"));
  EXPECT_EQ(Cli(Db() + " --check").status, 0);
  EXPECT_FALSE(dir.ReadBytes("STAVBAS.LOG").empty());
  dir.WriteText("STAVBAS.NFS", "Öl 14 V a b\n");  // a file out of step with the others
  EXPECT_EQ(Cli(Db() + " --check").status, 1);
}

}  // namespace
}  // namespace stavbas
