#pragma once
// Replacing a file so that it is always either the old file or the whole new one. The new text
// goes into a temporary file in the target's folder (an unnamed one where the file system
// allows it, so that even a killed process leaves nothing behind); only when it is complete and
// on the disk does a rename put it in the target's place. A failure at any point leaves the old
// file as it was and no temporary file behind.
//
// Every file the program rewrites goes through here: the information file converted from the
// spreadsheet, the group-address file, the settings file, the check log, the saved text and the
// exports.
//
// A file the user names (a save, an export) may be a link the user chose: the file it points
// to is replaced. A file the program writes on its own in a folder that may come from anyone
// (the index, the check log, the converted information file, the settings file) is never
// written through a link: a symbolic link, or a file that has other names as well (hard
// links), is left as it is (Links::kRefuse).

#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>

namespace stavbas {

// Whether a link in the target's place is followed.
enum class Links { kFollow, kRefuse };

// The error number of a target that is not replaced because it is a link (Links::kRefuse). No
// system error has this number.
constexpr int kLinkRefused = 10000;

class AtomicFile {
 public:
  AtomicFile() = default;
  // An uncommitted file is abandoned: the temporary file goes, the target stays as it was.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Begins a new version of `path`. With kFollow a link is followed: the file it points to is
  // replaced and the link stays. With kRefuse a symbolic link or a file with more than one name
  // gives kLinkRefused and stays as it is. 0, or the system's error number (the folder cannot
  // be written, the target is a folder, ...).
  int Open(const std::string& path, Links links = Links::kFollow);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends bytes; false once anything failed (error() tells what).
  bool Write(std::string_view bytes);
  // Puts the complete new file in the target's place, with the permissions of the file it
  // replaces. 0, or the system's error number; on failure the target is as it was. With
  // kRefuse the target is looked at again: one that became a link meanwhile stays as it is.
  int Commit();
  // Drops the new version.
  void Abandon();
  // The first error met, 0 while none.
  int error() const { return error_; }

  // The same steps with the error in words ("Can not save PATH: why").
  bool Open(const std::string& path, std::string& error);
  bool Commit(std::string& error);
  const std::string& target() const { return target_; }

  // For libraries that write files by name (the shapefile's set): a name beside `target` that
  // no file has, "." + its name + ".tmp" (a number added if needed) + `suffix`; empty, with
  // `error` set, when there is none or the target cannot be a file.
  static std::string FreeNameBeside(const std::string& target, std::string_view suffix,
                                    std::string& error);
  // Renames such a finished file over the target, keeping the target's permissions.
  static bool Replace(const std::string& finished, const std::string& target, std::string& error);

 private:
  bool Flush();
  void Fail(int err);

  std::string target_;  // the file to replace (a link resolved)
  Links links_ = Links::kFollow;
  std::string temp_;  // the named temporary file; empty while the temporary file is unnamed
  int fd_ = -1;
  int error_ = 0;
  std::string buffer_;
};

// Writes `bytes` as the new content of `path`: 0, or the system's error number.
int ReplaceFileContent(const std::string& path, std::string_view bytes,
                       Links links = Links::kFollow);

// The same with the error in words: "Can not save PATH: reason".
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// "Can not save PATH: why" (the error text of a failed save).
std::string SaveErrorText(const std::string& path, const std::string& why);

// The system's own (English) text for an error number (kLinkRefused too).
std::string SystemErrorText(int err);

// A fault planted for tests: the writer fails at a stage as a full disk, a broken medium or a
// refused rename would make it fail. Process-wide; kNone (the default) switches it off.
struct WriteFault {
  enum class Stage { kNone, kCreate, kWrite, kSync, kRename };
  Stage stage = Stage::kNone;
  std::size_t afterBytes = 0;  // kWrite: how many bytes still reach the file before it fails
  int error = ENOSPC;
  // Writes through a named temporary file, as on file systems without unnamed ones.
  bool namedTemporary = false;
};
void SetWriteFaultForTesting(const WriteFault& fault);

}  // namespace stavbas
