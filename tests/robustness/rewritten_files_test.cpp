// Every file the program rewrites, made to fail part way: by a planted fault at each stage of
// the write, by a disk that takes no more bytes and by a folder the user may not write. The
// earlier file stays as it was, nothing is left beside it, and the user is told what failed.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <utime.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "app/settings_file.h"
#include "base/atomic_file.h"
#include "base/cp1252.h"
#include "base/ui.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "database/info_preparation.h"
#include "output/text_save.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using Stage = WriteFault::Stage;
using Arm = std::function<void()>;

std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

void MakeOlder(const std::string& path) {
  const std::time_t t = std::time(nullptr) - 3600;
  const utimbuf times{t, t};
  utime(path.c_str(), &times);
}

// The last box the core showed, in UTF-8; empty when it showed none.
std::string LastBox(const test::RecordingHost& host) {
  return host.boxes.empty() ? std::string() : host.BoxTexts().back();
}

// A database of two files in step.
void WriteDatabase(test::TempDir& dir) {
  dir.WriteText("STAVBAS.RUN", "U 1 V a b\nU 2 V c\n");
  dir.WriteText("STAVBAS.NFS", "U 1 V a b\nU 2 V c\n");
}

struct Writer {
  const char* name;
  const char* file;  // the file it rewrites
  bool coreMessage;  // the core tells the user (in the program's words); else an error text
  std::function<void(test::TempDir&)> prepare;  // the folder with the old file
  // Runs the writer, planting the fault with `arm` right before the write; returns what the
  // user was told, or "" when the write succeeded.
  std::function<std::string(test::TempDir&, const Arm&)> write;
};

void PrintTo(const Writer& w, std::ostream* os) {
  *os << w.name;
}

const std::vector<Writer>& Writers() {
  static const std::vector<Writer> writers = {
      {"information file", "STAVBAS.INF", true,
       [](test::TempDir& dir) {
         fs::copy_file(fs::path(STAVBAS_SOURCE_DIR) / "data/STAVBAS.XLS", dir / "STAVBAS.XLS");
         dir.WriteBytes("STAVBAS.INF", "!/F I\r\nthe old information file\r\n");
         MakeOlder(dir / "STAVBAS.INF");
       },
       [](test::TempDir& dir, const Arm& arm) {
         test::RecordingHost host;
         Ui ui(host);
         InfoPreparation prep(ui);
         arm();
         const auto result = prep.Prepare(dir / "STAVBAS");
         return result == InfoPreparation::Result::kRewritten ? std::string() : LastBox(host);
       }},
      {"group-address file", "STAVBAS.$AD", true,
       [](test::TempDir& dir) {
         WriteDatabase(dir);
         test::RecordingHost host;
         Ui ui(host);
         TDatabas db(ui);
         db.Open(dir / "STAVBAS");
         // A data file changed since: the next opening computes the index again.
         dir.WriteText("STAVBAS.NFS", "U 1 V a b\nU 2 V cc\n");
       },
       [](test::TempDir& dir, const Arm& arm) {
         test::RecordingHost host;
         Ui ui(host);
         TDatabas db(ui);
         arm();
         db.Open(dir / "STAVBAS");
         return host.lines.back().starts_with("Skriver") && host.boxes.size() > 1 ? LastBox(host)
                                                                                  : std::string();
       }},
      {"check log", "STAVBAS.LOG", true,
       [](test::TempDir& dir) {
         WriteDatabase(dir);
         test::RecordingHost host;
         Ui ui(host);
         TDatabas db(ui);
         db.Open(dir / "STAVBAS");  // the index is written now, not by the check
         dir.WriteBytes("STAVBAS.LOG", "the old log\r\n");
       },
       [](test::TempDir& dir, const Arm& arm) {
         test::RecordingHost host;
         Ui ui(host);
         TDatabas db(ui);
         db.Open(dir / "STAVBAS");
         arm();
         CheckDataFiles(db, true);
         // A log that cannot be written is reported; the check still runs and ends.
         for (const std::string& box : host.BoxTexts())
           if (box.starts_with("FEL ")) return box;
         return std::string();
       }},
      {"settings file", "stavbas.ini", true,
       [](test::TempDir& dir) { dir.WriteBytes("stavbas.ini", "[Const]\r\nPaus=1\r\n; mine\r\n"); },
       [](test::TempDir& dir, const Arm& arm) {
         Settings s = ReadSettings(dir / "stavbas.ini");
         s.consts.paus = false;
         arm();
         int error = 0;
         if (SaveSettings(s, SaveChoice::All, dir / "stavbas.ini", &error)) return std::string();
         // What the window program's exit confirmation tells the user.
         test::RecordingHost host;
         Ui(host).CheckIOResult(error, "stavbas.ini");
         return LastBox(host);
       }},
      {"saved rich text", "text.rtf", false,
       [](test::TempDir& dir) { dir.WriteBytes("text.rtf", "{\\rtf1 the old text}"); },
       [](test::TempDir& dir, const Arm& arm) {
         std::string error;
         arm();
         return SaveRtf(dir / "text.rtf", {{"U 344\r\nny text", {}}}, error) ? std::string()
                                                                             : error;
       }},
      {"saved plain text", "text.txt", false,
       [](test::TempDir& dir) { dir.WriteBytes("text.txt", "the old text"); },
       [](test::TempDir& dir, const Arm& arm) {
         std::string error;
         arm();
         return SavePlainText(dir / "text.txt", std::string(100000, 'n'), error) ? std::string()
                                                                                 : error;
       }},
  };
  return writers;
}

class RewrittenFiles : public ::testing::TestWithParam<Writer> {
 protected:
  void SetUp() override {
    GetParam().prepare(dir);
    old = dir.ReadBytes(GetParam().file);
    listing = Listing(dir.path());
  }
  void TearDown() override { SetWriteFaultForTesting({}); }

  // The old file and nothing new beside it; what the user was told names the file and says
  // in words what went wrong.
  void ExpectKeptAndTold(const std::string& told, int err) {
    const Writer& w = GetParam();
    EXPECT_EQ(dir.ReadBytes(w.file), old);
    EXPECT_EQ(Listing(dir.path()), listing);
    ASSERT_FALSE(told.empty()) << "the write was reported as done";
    EXPECT_NE(told.find(w.file), std::string::npos) << told;
    test::RecordingHost host;
    const std::string words =
        w.coreMessage ? Cp1252ToUtf8(Ui(host).ErrorText(err)) : SystemErrorText(err);
    EXPECT_NE(told.find(words), std::string::npos) << told;
  }

  test::TempDir dir;
  std::string old;
  std::vector<std::string> listing;
};

TEST_P(RewrittenFiles, WithoutAFaultTheFileIsReplaced) {
  EXPECT_EQ(GetParam().write(dir, [] {}), "");
  EXPECT_NE(dir.ReadBytes(GetParam().file), old);
  EXPECT_EQ(Listing(dir.path()), listing);
}

TEST_P(RewrittenFiles, AFaultAtAnyStageKeepsTheOldFile) {
  struct Case {
    Stage stage;
    std::size_t after;
    int error;
  };
  for (const Case c :
       {Case{Stage::kCreate, 0, EACCES}, Case{Stage::kWrite, 0, ENOSPC},
        Case{Stage::kWrite, 7, EIO}, Case{Stage::kSync, 0, EIO}, Case{Stage::kRename, 0, EROFS}}) {
    SCOPED_TRACE(static_cast<int>(c.stage));
    const std::string told = GetParam().write(dir, [&] {
      WriteFault f;
      f.stage = c.stage;
      f.afterBytes = c.after;
      f.error = c.error;
      SetWriteFaultForTesting(f);
    });
    SetWriteFaultForTesting({});
    ExpectKeptAndTold(told, c.error);
  }
}

TEST_P(RewrittenFiles, AFullDiskKeepsTheOldFile) {
  test::OpenToEveryone(dir.path());
  const test::ChildResult r = test::RunUnprivileged([&] {
    return GetParam().write(dir, [] {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit small{8, 8};  // no file may grow past 8 bytes
      setrlimit(RLIMIT_FSIZE, &small);
    });
  });
  ASSERT_EQ(r.status, 0);
  ExpectKeptAndTold(r.output, EFBIG);
}

TEST_P(RewrittenFiles, AFolderTheUserMayNotWriteKeepsTheOldFile) {
  test::OpenToEveryone(dir.path());
  fs::permissions(dir.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const test::ChildResult r = test::RunUnprivileged([&] { return GetParam().write(dir, [] {}); });
  fs::permissions(dir.path(), fs::perms::owner_all);
  ASSERT_EQ(r.status, 0);
  ExpectKeptAndTold(r.output, EACCES);
}

INSTANTIATE_TEST_SUITE_P(Writers, RewrittenFiles, ::testing::ValuesIn(Writers()),
                         [](const auto& info) {
                           std::string name;
                           for (char c : std::string(info.param.name))
                             if (std::isalpha(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

}  // namespace
}  // namespace stavbas
