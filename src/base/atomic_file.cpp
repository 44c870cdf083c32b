#include "base/atomic_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace stavbas {

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int err) {
  return std::generic_category().message(err);
}

// A link keeps its link: the new file replaces what it points to.
fs::path RealTarget(const std::string& path) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  return target;
}

}  // namespace

std::string SaveErrorText(const std::string& path, const std::string& why) {
  return "Can not save " + path + ": " + why;
}

std::string AtomicFile::FreeNameBeside(const std::string& path, std::string_view suffix,
                                       std::string& error) {
  std::error_code ec;
  const fs::path target = RealTarget(path);
  if (target.filename().empty() || path.ends_with('/')) {
    error = SaveErrorText(path, "no file name");
    return {};
  }
  if (fs::is_directory(target, ec)) {
    error = SaveErrorText(path, "it is a folder");
    return {};
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = "." + target.filename().string() + ".tmp";
  for (int k = 0; k < 100; ++k) {
    const fs::path candidate =
        folder / ((k == 0 ? name : name + std::to_string(k)) + std::string(suffix));
    if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate.string();
  }
  error = SaveErrorText(path, "no free name for a temporary file in " + folder.string());
  return {};
}

bool AtomicFile::Replace(const std::string& finished, const std::string& path, std::string& error) {
  std::error_code ec;
  const fs::path target = RealTarget(path);
  // The saved file keeps the permissions of the one it replaces.
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(finished, old.permissions(), ec);
  fs::rename(finished, target, ec);
  if (!ec) return true;
  error = SaveErrorText(path, ec.message());
  return false;
}

bool AtomicFile::Open(const std::string& target, std::string& error) {
  Discard();
  target_ = target;
  err_ = 0;
  for (int tries = 0; tries < 10 && !file_; ++tries) {
    temp_ = FreeNameBeside(target, "", error);
    if (temp_.empty()) return false;
    file_ = std::fopen(temp_.c_str(), "wbx");
    if (!file_ && errno != EEXIST) {
      error = SaveErrorText(target, ErrnoText(errno));
      temp_.clear();
      return false;
    }
  }
  if (!file_) {
    error = SaveErrorText(target, "no free name for a temporary file");
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);  // files of any size, written in few calls
  return true;
}

void AtomicFile::Write(std::string_view bytes) {
  if (!file_ || err_ || bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) err_ = errno ? errno : EIO;
}

bool AtomicFile::Commit(std::string& error) {
  if (!file_) {
    error = SaveErrorText(target_, "the file was not opened");
    return false;
  }
  if (std::fflush(file_) != 0 && !err_) err_ = errno ? errno : EIO;
  if (std::fclose(file_) != 0 && !err_) err_ = errno ? errno : EIO;
  file_ = nullptr;
  if (err_) {
    error = SaveErrorText(target_, ErrnoText(err_));
    Discard();
    return false;
  }
  if (!Replace(temp_, target_, error)) {
    Discard();
    return false;
  }
  temp_.clear();
  return true;
}

void AtomicFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) {
    std::error_code ignored;
    fs::remove(temp_, ignored);
  }
  temp_.clear();
}

}  // namespace stavbas
