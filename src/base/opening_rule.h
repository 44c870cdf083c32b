#pragma once
// What the program hands to the desktop to open. Addresses come from the data files and the
// settings file, and both may come from anyone, so only three kinds pass:
// - web addresses (http, https), without a user name before the host; a name beginning with
//   "www." is taken as an http address;
// - mail addresses (mailto) to at most one recipient that carry nothing but a subject and a
//   body, so that a mail program is never asked to attach a file or to copy the mail elsewhere;
// - files the program itself wrote in this session or ships beside itself (the help pages),
//   never an executable file nor a desktop entry (".desktop"), also not through a link.
// Everything else (file:, javascript:, data:, smb:, ftp:, paths of other files, ...) is refused.
// Text is Windows-1252.

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

// The files and folders the program may open: what it wrote in this session and the folders
// it ships. Paths are kept resolved (absolute, without links and "..").
class OpeningPlaces {
 public:
  // A file the program has just written, named as it was written.
  void NoteWritten(const std::string& path);
  // A folder of files shipped with the program; a missing folder is left out.
  void NoteShippedFolder(const std::string& folder);

  bool Written(const std::string& resolved) const { return written_.count(resolved) > 0; }
  bool Shipped(const std::string& resolved) const;
  bool empty() const { return written_.empty() && shipped_.empty(); }

 private:
  std::set<std::string> written_;
  std::vector<std::string> shipped_;
};

enum class OpeningKind { Refused, WebAddress, MailAddress, LocalFile };

struct Opening {
  OpeningKind kind = OpeningKind::Refused;
  // What the desktop is given: the address as plain ASCII (blanks around it dropped, the scheme
  // and host in small letters, characters an address cannot hold percent-encoded as UTF-8, a
  // "%" not followed by two hex digits written "%25"), or the file's resolved path.
  std::string target;
  bool allowed() const { return kind != OpeningKind::Refused; }
};

// The rule for web and mail addresses alone; it does not look at the file system.
Opening JudgeAddress(std::string_view address);
// The whole rule: a file the program wrote or ships, else an address as JudgeAddress judges it.
Opening JudgeOpening(std::string_view target, const OpeningPlaces& places);
// A file the desktop may be given whatever its origin: a regular file, neither executable nor
// a desktop entry, neither by its own name nor by the name of the file a link leads to.
bool HarmlessFile(const std::string& path);

// The address or file as a message names it: a control character as "\xHH", and a long one
// cut after its first 200 characters, with "\x85" (an ellipsis) after it.
std::string ShownTarget(std::string_view target);

// The host of a web address that JudgeAddress allowed ("example.org"; "[::1]" for IPv6).
std::string_view WebAddressHost(std::string_view checked);
// The recipient of a mail address that JudgeAddress allowed (possibly empty).
std::string_view MailRecipient(std::string_view checked);

// The byte of the "%XX" escape at `at` of an address, or -1 when none stands there.
int PercentEscapedByte(std::string_view s, std::size_t at);

}  // namespace stavbas
