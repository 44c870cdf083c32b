// Replacing a file whole: the old file survives every failure, nothing is left behind, and a
// writer killed at any point leaves the old or the new file.

#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Stage = WriteFault::Stage;

Names Listing(const fs::path& folder) {
  Names names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Plants a fault for one scope.
struct PlantedFault {
  explicit PlantedFault(WriteFault f) { SetWriteFaultForTesting(f); }
  ~PlantedFault() { SetWriteFaultForTesting({}); }
};

// Both ways to the temporary file: unnamed where the file system has them, named elsewhere.
class AtomicFileTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { SetWriteFaultForTesting(Fault()); }
  void TearDown() override { SetWriteFaultForTesting({}); }
  WriteFault Fault(Stage stage = Stage::kNone, std::size_t after = 0, int error = ENOSPC) const {
    WriteFault f;
    f.stage = stage;
    f.afterBytes = after;
    f.error = error;
    f.namedTemporary = GetParam();
    return f;
  }
  test::TempDir dir;
};

TEST_P(AtomicFileTest, ReplacesWholeWithThePermissionsAndLinksOfTheOldFile) {
  EXPECT_EQ(ReplaceFileContent(dir / "new.txt", "first"), 0);
  EXPECT_EQ(dir.ReadBytes("new.txt"), "first");

  dir.WriteBytes("old.txt", std::string(200000, 'o'));
  fs::permissions(dir / "old.txt",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  AtomicFile f;
  ASSERT_EQ(f.Open(dir / "old.txt"), 0);
  for (int i = 0; i < 1000; ++i) EXPECT_TRUE(f.Write(std::string(100, 'a' + i % 26)));
  EXPECT_EQ(dir.ReadBytes("old.txt"), std::string(200000, 'o'));  // nothing seen before the end
  ASSERT_EQ(f.Commit(), 0);
  EXPECT_EQ(dir.ReadBytes("old.txt").size(), 100000u);
  EXPECT_EQ(fs::status(dir / "old.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  fs::create_symlink("old.txt", dir / "link.txt");
  EXPECT_EQ(ReplaceFileContent(dir / "link.txt", "through the link"), 0);
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(dir.ReadBytes("old.txt"), "through the link");
  EXPECT_EQ(Listing(dir.path()), (Names{"link.txt", "new.txt", "old.txt"}));

  // An abandoned file changes nothing.
  {
    AtomicFile dropped;
    ASSERT_EQ(dropped.Open(dir / "new.txt"), 0);
    dropped.Write("never");
  }
  EXPECT_EQ(dir.ReadBytes("new.txt"), "first");
  EXPECT_EQ(Listing(dir.path()), (Names{"link.txt", "new.txt", "old.txt"}));
}

TEST_P(AtomicFileTest, FoldersDevicesAndMissingFoldersAreNeverReplaced) {
  fs::create_directory(dir.path() / "folder");
  EXPECT_EQ(ReplaceFileContent(dir / "folder", "x"), EISDIR);
  EXPECT_EQ(ReplaceFileContent(dir / "folder/", "x"), EISDIR);
  EXPECT_EQ(ReplaceFileContent(dir / "missing/x.txt", "x"), ENOENT);
  EXPECT_EQ(ReplaceFileContent("", "x"), ENOENT);
  fs::create_symlink("/dev/null", dir / "null");
  EXPECT_EQ(ReplaceFileContent(dir / "null", "x"), EINVAL);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir / "null", "x", error));
  EXPECT_EQ(error, "Can not save " + (dir / "null") + ": it is not a regular file");
  EXPECT_EQ(Listing(dir.path()), (Names{"folder", "null"}));
}

// A failure at every stage of the write: the old file stays, the error is the one planted,
// and the folder holds nothing new.
TEST_P(AtomicFileTest, AFailureAtAnyStageKeepsTheOldFile) {
  const std::string old = "the old text\r\n";
  const std::string text(150000, 'n');  // more than one buffer
  struct Case {
    Stage stage;
    std::size_t after;
  };
  for (const Case c :
       {Case{Stage::kCreate, 0}, Case{Stage::kWrite, 0}, Case{Stage::kWrite, 1},
        Case{Stage::kWrite, 65535}, Case{Stage::kWrite, 65537}, Case{Stage::kWrite, 149999},
        Case{Stage::kSync, 0}, Case{Stage::kRename, 0}}) {
    SCOPED_TRACE(static_cast<int>(c.stage) * 1000000 + c.after);
    dir.WriteBytes("file.txt", old);
    SetWriteFaultForTesting(Fault(c.stage, c.after, EIO));
    EXPECT_EQ(ReplaceFileContent(dir / "file.txt", text), EIO);
    EXPECT_EQ(dir.ReadBytes("file.txt"), old);
    EXPECT_EQ(Listing(dir.path()), Names{"file.txt"});
  }
  // A file that did not exist does not appear either.
  SetWriteFaultForTesting(Fault(Stage::kRename, 0, ENOSPC));
  EXPECT_EQ(ReplaceFileContent(dir / "other.txt", text), ENOSPC);
  EXPECT_EQ(Listing(dir.path()), Names{"file.txt"});
}

// A file the program writes on its own is never written through a link: a symbolic link (to
// a file, to a folder, to no file yet) or a file with a second name stays as it is, and so does
// whatever it leads to. A file of one name is written as ever.
TEST_P(AtomicFileTest, RefusingLinksLeavesEveryLinkAndItsFileAsTheyWere) {
  test::TempDir elsewhere;
  elsewhere.WriteBytes("users.txt", "the user's own");
  fs::create_directory(elsewhere.path() / "folder");
  fs::create_symlink(elsewhere / "users.txt", dir / "symbolic");
  fs::create_symlink(elsewhere / "folder", dir / "to-folder");
  fs::create_symlink(elsewhere / "new.desktop", dir / "to-nothing");
  fs::create_hard_link(elsewhere / "users.txt", dir / "hard");
  for (const char* name : {"symbolic", "to-folder", "to-nothing", "hard"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReplaceFileContent(dir / name, "written", Links::kRefuse), kLinkRefused);
    AtomicFile f;
    EXPECT_EQ(f.Open(dir / name, Links::kRefuse), kLinkRefused);
    EXPECT_FALSE(f.IsOpen());
  }
  EXPECT_EQ(elsewhere.ReadBytes("users.txt"), "the user's own");
  EXPECT_EQ(fs::hard_link_count(dir / "hard"), 2u);
  EXPECT_TRUE(fs::is_empty(elsewhere.path() / "folder"));
  EXPECT_EQ(Listing(elsewhere.path()), (Names{"folder", "users.txt"}));
  EXPECT_EQ(Listing(dir.path()), (Names{"hard", "symbolic", "to-folder", "to-nothing"}));
  std::string error;
  AtomicFile f;
  EXPECT_EQ(f.Open(dir / "symbolic", Links::kRefuse), kLinkRefused);
  EXPECT_FALSE(f.Commit(error));
  EXPECT_EQ(SystemErrorText(kLinkRefused), "it is a link, and links are not written through");

  EXPECT_EQ(ReplaceFileContent(dir / "one.txt", "new", Links::kRefuse), 0);
  EXPECT_EQ(ReplaceFileContent(dir / "one.txt", "newer", Links::kRefuse), 0);
  EXPECT_EQ(dir.ReadBytes("one.txt"), "newer");
  // The folder and device rules hold as they do for followed links.
  EXPECT_EQ(ReplaceFileContent(dir.path().string(), "x", Links::kRefuse), EISDIR);
  EXPECT_EQ(ReplaceFileContent("/dev/null", "x", Links::kRefuse), EINVAL);
}

// The file became a link while the new one was written (the check log is open for a whole
// check): it is looked at again before the rename, and left as it is.
TEST_P(AtomicFileTest, ATargetThatBecomesALinkMeanwhileIsLeftAlone) {
  test::TempDir elsewhere;
  elsewhere.WriteBytes("users.txt", "the user's own");
  for (const bool symbolic : {true, false}) {
    SCOPED_TRACE(symbolic);
    dir.WriteBytes("log.txt", "old log");
    AtomicFile f;
    ASSERT_EQ(f.Open(dir / "log.txt", Links::kRefuse), 0);
    f.Write("the new log");
    fs::remove(dir / "log.txt");
    if (symbolic)
      fs::create_symlink(elsewhere / "users.txt", dir / "log.txt");
    else
      fs::create_hard_link(elsewhere / "users.txt", dir / "log.txt");
    EXPECT_EQ(f.Commit(), kLinkRefused);
    EXPECT_EQ(elsewhere.ReadBytes("users.txt"), "the user's own");
    EXPECT_EQ(fs::is_symlink(dir / "log.txt"), symbolic);
    EXPECT_EQ(Listing(dir.path()), Names{"log.txt"});
    fs::remove(dir / "log.txt");
  }
}

// The system itself refuses more bytes part way, as on a full disk.
TEST_P(AtomicFileTest, AFullDiskKeepsTheOldFile) {
  dir.WriteBytes("file.txt", "old");
  test::OpenToEveryone(dir.path());
  const std::string target = dir / "file.txt";
  const test::ChildResult r = test::RunUnprivileged([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small{5000, 5000};
    setrlimit(RLIMIT_FSIZE, &small);
    return std::to_string(ReplaceFileContent(target, std::string(100000, 'n')));
  });
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.output, std::to_string(EFBIG));
  EXPECT_EQ(dir.ReadBytes("file.txt"), "old");
  EXPECT_EQ(Listing(dir.path()), Names{"file.txt"});
}

TEST_P(AtomicFileTest, AReadOnlyFolderOrFileIsRefusedAndLeftAsItWas) {
  dir.WriteBytes("file.txt", "old");
  test::OpenToEveryone(dir.path());
  fs::permissions(dir.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const std::string target = dir / "file.txt";
  const test::ChildResult r =
      test::RunUnprivileged([&] { return std::to_string(ReplaceFileContent(target, "new")); });
  fs::permissions(dir.path(), fs::perms::owner_all);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.output, std::to_string(EACCES));
  EXPECT_EQ(dir.ReadBytes("file.txt"), "old");
  EXPECT_EQ(Listing(dir.path()), Names{"file.txt"});
}

// A writer killed at random points: the target is always the old or a new file, whole.
TEST_P(AtomicFileTest, AKilledWriterLeavesTheOldOrTheNewFile) {
  const std::string target = dir / "file.txt";
  const std::size_t size = 3 << 20;
  dir.WriteBytes("file.txt", std::string(size, 'o'));
  std::mt19937 rng(3);
  const bool named = GetParam();
  int replaced = 0;
  for (int round = 0; round < 12; ++round) {
    // The writer says when its first file is in place; it is killed at a random moment within
    // the next few, however long a write takes on this machine (a loaded one, just after the
    // fork, may take tens of milliseconds).
    int written[2];
    ASSERT_EQ(pipe(written), 0);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      WriteFault f;
      f.namedTemporary = named;
      SetWriteFaultForTesting(f);
      for (char c = 'a';; c = c == 'z' ? 'a' : c + 1) {
        ReplaceFileContent(target, std::string(size, c));
        if (c == 'a' && written[1] >= 0) {
          (void)!write(written[1], "w", 1);
          close(written[1]);
          written[1] = -1;
        }
      }
    }
    close(written[1]);
    char w = 0;
    ASSERT_EQ(read(written[0], &w, 1), 1);
    close(written[0]);
    const auto first = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    std::this_thread::sleep_for(
        std::chrono::microseconds(rng() % static_cast<unsigned>(std::max<long long>(first, 1000))));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::string now = dir.ReadBytes("file.txt");
    ASSERT_EQ(now.size(), size);
    EXPECT_EQ(now.find_first_not_of(now[0]), std::string::npos) << "a mixed file";
    replaced += now[0] != 'o';
  }
  EXPECT_GT(replaced, 0);  // the writers did get to replace the file
  // What a killed writer may have left is cleared by the next write.
  ASSERT_EQ(ReplaceFileContent(target, "done"), 0);
  EXPECT_EQ(Listing(dir.path()), Names{"file.txt"});
}

INSTANTIATE_TEST_SUITE_P(Temporary, AtomicFileTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Named" : "Unnamed"; });

TEST(AtomicFile, StaleTemporaryFilesOfWritersThatAreGoneAreRemoved) {
  test::TempDir dir;
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string stale = ".file.txt." + std::to_string(gone) + ".tmp";
  const std::string live = ".file.txt." + std::to_string(getppid()) + ".tmp";
  const std::string other = ".other.txt." + std::to_string(gone) + ".tmp";
  for (const std::string& name : {stale, live, other}) dir.WriteBytes(name, "x");
  ASSERT_EQ(ReplaceFileContent(dir / "file.txt", "new"), 0);
  EXPECT_EQ(Listing(dir.path()), (Names{live, other, "file.txt"}));
}

}  // namespace
}  // namespace stavbas
