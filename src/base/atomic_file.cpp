#include "base/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <csignal>
#include <system_error>

namespace stavbas {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinks = 40;  // as many links as the system follows

WriteFault g_fault;
std::size_t g_faultWritten = 0;  // bytes written since the fault was planted

bool FaultAt(WriteFault::Stage stage) {
  return g_fault.stage == stage;
}

std::string FolderOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names once links are followed. 0 when it is a regular file or does not exist
// yet; else the error number (a folder, a device, a pipe are never replaced).
int ResolveTarget(const std::string& path, std::string& target) {
  target = path;
  if (NameOfPath(path).empty()) return path.empty() ? ENOENT : EISDIR;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (S_ISREG(st.st_mode)) return 0;
    if (!S_ISLNK(st.st_mode)) return EINVAL;
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), buf, sizeof buf);
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) >= sizeof buf) return ENAMETOOLONG;
    const std::string link(buf, static_cast<std::size_t>(n));
    target = link.starts_with('/') ? link : FolderOfPath(target) + "/" + link;
  }
  return ELOOP;
}

// The target as it stands, no link followed. 0 when it is a regular file of one name or does
// not exist yet; kLinkRefused for a symbolic link or a file with other names, whose content
// would reach another file (a symbolic link) or stay under another name (a hard link); else the
// error number.
int CheckUnlinkedTarget(const std::string& path) {
  if (NameOfPath(path).empty()) return path.empty() ? ENOENT : EISDIR;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISLNK(st.st_mode)) return kLinkRefused;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  return st.st_nlink > 1 ? kLinkRefused : 0;
}

// A temporary name beside the target that no other writer uses.
std::string TempName(const std::string& target, int attempt) {
  std::string name =
      FolderOfPath(target) + "/." + NameOfPath(target) + "." + std::to_string(::getpid());
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return name + ".tmp";
}

// Removes the temporary files of this target that writers killed before they finished left
// behind: those whose process is gone.
void RemoveStaleTemps(const std::string& target) {
  const std::string prefix = "." + NameOfPath(target) + ".";
  DIR* dir = ::opendir(FolderOfPath(target).c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    const std::string_view rest = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    long pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || pid <= 0 || (end != rest.data() + rest.size() && *end != '-'))
      continue;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      ::unlink((FolderOfPath(target) + "/" + std::string(name)).c_str());
  }
  ::closedir(dir);
}

}  // namespace

AtomicFile::~AtomicFile() {
  Abandon();
}

void AtomicFile::Fail(int err) {
  if (!error_) error_ = err ? err : EIO;
}

int AtomicFile::Open(const std::string& path, Links links) {
  Abandon();
  error_ = 0;
  links_ = links;
  target_ = path;
  if (const int err =
          links == Links::kRefuse ? CheckUnlinkedTarget(path) : ResolveTarget(path, target_))
    return error_ = err;
  if (FaultAt(WriteFault::Stage::kCreate)) return error_ = g_fault.error;
  RemoveStaleTemps(target_);
  const std::string folder = FolderOfPath(target_);
#ifdef O_TMPFILE
  // An unnamed file needs /proc to be given its name when it is complete.
  if (!g_fault.namedTemporary && ::access("/proc/self/fd", X_OK) == 0) {
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) return 0;
    // Only a file system without unnamed files tries the named way; other errors are final.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return error_ = errno;
  }
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = TempName(target_, attempt);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return 0;
    if (errno != EEXIST) break;
  }
  const int err = errno;
  temp_.clear();
  return error_ = err;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0 || error_) return false;
  buffer_.append(bytes);
  return buffer_.size() < kBufferSize || Flush();
}

bool AtomicFile::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size() && !error_) {
    std::size_t n = buffer_.size() - done;
    if (FaultAt(WriteFault::Stage::kWrite)) {
      const std::size_t room =
          g_fault.afterBytes > g_faultWritten ? g_fault.afterBytes - g_faultWritten : 0;
      if (room == 0) {
        Fail(g_fault.error);
        break;
      }
      n = std::min(n, room);
    }
    const ssize_t written = ::write(fd_, buffer_.data() + done, n);
    if (written < 0) {
      if (errno != EINTR) Fail(errno);
      continue;
    }
    done += static_cast<std::size_t>(written);
    g_faultWritten += static_cast<std::size_t>(written);
  }
  buffer_.clear();
  return !error_;
}

namespace {

// Puts a finished file in the target's place, the folder's new entry on the disk too.
int RenameOver(const std::string& finished, const std::string& target) {
  if (FaultAt(WriteFault::Stage::kRename)) return g_fault.error;
  if (::rename(finished.c_str(), target.c_str()) != 0) return errno;
  const int dir = ::open(FolderOfPath(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace

int AtomicFile::Commit() {
  if (fd_ < 0) {
    Fail(EBADF);
  } else if (Flush()) {
    // On the disk before it takes the old file's place: a crash then leaves one or the other.
    if (FaultAt(WriteFault::Stage::kSync))
      Fail(g_fault.error);
    else if (::fsync(fd_) != 0)
      Fail(errno);
  }
  // A target that became a link while the file was written stays as it is. The rename below
  // replaces a link that appears after this look, not the file it points to.
  if (!error_ && links_ == Links::kRefuse) {
    if (const int err = CheckUnlinkedTarget(target_)) Fail(err);
  }
  if (!error_) {
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) ::fchmod(fd_, old.st_mode & 07777);
  }
  if (!error_ && temp_.empty()) {
    // The unnamed file gets a temporary name first: a rename is what replaces a file whole.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100 && temp_.empty() && !error_; ++attempt) {
      const std::string name = TempName(target_, attempt);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        temp_ = name;
      else if (errno != EEXIST)
        Fail(errno);
    }
  }
  if (!error_) {
    if (const int err = RenameOver(temp_, target_))
      Fail(err);
    else
      temp_.clear();
  }
  const int err = error_;
  Abandon();
  error_ = err;
  return err;
}

void AtomicFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  buffer_.clear();
}

int ReplaceFileContent(const std::string& path, std::string_view bytes, Links links) {
  AtomicFile file;
  if (const int err = file.Open(path, links)) return err;
  file.Write(bytes);
  return file.Commit();
}

namespace {

std::string ErrorInWords(const std::string& path, int err) {
  return SaveErrorText(
      path, err == EINVAL ? std::string("it is not a regular file") : SystemErrorText(err));
}

}  // namespace

bool AtomicFile::Open(const std::string& path, std::string& error) {
  const int err = Open(path);
  if (err) error = ErrorInWords(path, err);
  return err == 0;
}

bool AtomicFile::Commit(std::string& error) {
  const int err = Commit();
  if (err) error = ErrorInWords(target_, err);
  return err == 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const int err = ReplaceFileContent(path, bytes);
  if (err) error = ErrorInWords(path, err);
  return err == 0;
}

std::string SaveErrorText(const std::string& path, const std::string& why) {
  return "Can not save " + path + ": " + why;
}

std::string AtomicFile::FreeNameBeside(const std::string& path, std::string_view suffix,
                                       std::string& error) {
  std::string target;
  if (const int err = ResolveTarget(path, target)) {
    error = ErrorInWords(path, err);
    return {};
  }
  const std::string stem = FolderOfPath(target) + "/." + NameOfPath(target) + ".tmp";
  for (int k = 0; k < 100; ++k) {
    const std::string candidate = (k == 0 ? stem : stem + std::to_string(k)) + std::string(suffix);
    struct stat st {};
    if (::lstat(candidate.c_str(), &st) != 0 && errno == ENOENT) return candidate;
  }
  error = SaveErrorText(path, "no free name for a temporary file in " + FolderOfPath(target));
  return {};
}

bool AtomicFile::Replace(const std::string& finished, const std::string& path, std::string& error) {
  std::string target;
  int err = ResolveTarget(path, target);
  if (!err) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::chmod(finished.c_str(), old.st_mode & 07777);
    err = RenameOver(finished, target);
  }
  if (err) error = ErrorInWords(path, err);
  return err == 0;
}

std::string SystemErrorText(int err) {
  if (err == kLinkRefused) return "it is a link, and links are not written through";
  return std::generic_category().message(err);
}

void SetWriteFaultForTesting(const WriteFault& fault) {
  g_fault = fault;
  g_faultWritten = 0;
}

}  // namespace stavbas
