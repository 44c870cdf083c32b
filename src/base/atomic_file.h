#pragma once
// A file written beside its target under a name nobody else uses and put in the target's place
// only when it is complete: a failure on the way (a full disk, a folder that cannot be
// written) leaves no partial file under the target's name and the old file as it was.

#include <cstdio>
#include <string>
#include <string_view>

namespace stavbas {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Discard(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file beside `target`; on failure `error` names the file and why.
  bool Open(const std::string& target, std::string& error);
  // Writes bytes; a failure is remembered and reported by Commit.
  void Write(std::string_view bytes);
  bool ok() const { return file_ != nullptr && err_ == 0; }
  // Closes the file and renames it over the target, keeping the old file's permissions.
  bool Commit(std::string& error);
  // Removes the temporary file; the target stays as it was.
  void Discard();

  // The file being written (to hand to a library that writes by name, close it first).
  const std::string& temporaryPath() const { return temp_; }
  const std::string& target() const { return target_; }

  // A name beside `target` that no file has: "." + its name + ".tmp", with a number if needed.
  // Empty, with `error` set, when there is none or the target cannot be a file.
  static std::string FreeNameBeside(const std::string& target, std::string_view suffix,
                                    std::string& error);
  // Renames a finished file over the target, keeping the target's permissions.
  static bool Replace(const std::string& finished, const std::string& target, std::string& error);

 private:
  std::FILE* file_ = nullptr;
  int err_ = 0;
  std::string temp_, target_;
};

// "Can not save PATH: why" (the error text of a failed save).
std::string SaveErrorText(const std::string& path, const std::string& why);

}  // namespace stavbas
