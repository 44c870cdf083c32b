// The opening rule: the input is one address or path, as a settings file, an information
// field or a help page could give it. It is judged as an address, and as a target beside a
// folder of the program's own files (a help folder, a file written, an executable one, a
// desktop entry and links to them), as it stands and as a name in that folder. Whatever it
// allows must be of the three kinds the rule names, in the form the desktop may be given, and
// judged the same when judged again.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "base/opening_rule.h"
#include "fuzz_support.h"

namespace {

using namespace stavbas;
namespace fs = std::filesystem;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// The folder of the program's own files, made once per process.
const std::string& Folder() {
  static const std::string folder = fuzz::FreshFolder();
  return folder;
}

const OpeningPlaces& Places() {
  static const OpeningPlaces places = [] {
    const std::string& folder = Folder();
    fs::create_directories(folder + "/help/sv");
    fuzz::WriteFile(folder + "/help/sv/index.html", "<p>x</p>");
    fuzz::WriteFile(folder + "/u.KML", "<kml/>");
    fuzz::WriteFile(folder + "/other.html", "x");
    fuzz::WriteFile(folder + "/run.desktop", "[Desktop Entry]\n");
    fuzz::WriteFile(folder + "/script.kml", "#!/bin/sh\n");
    ::chmod((folder + "/script.kml").c_str(), 0755);
    std::error_code ec;
    fs::create_symlink(folder + "/run.desktop", folder + "/help/sv/start.html", ec);
    fs::create_symlink(folder + "/other.html", folder + "/help/sv/other.html", ec);
    OpeningPlaces p;
    p.NoteShippedFolder(folder + "/help");
    for (const char* name : {"/u.KML", "/run.desktop", "/script.kml"}) p.NoteWritten(folder + name);
    return p;
  }();
  return places;
}

void CheckAddress(const Opening& o) {
  if (!o.allowed()) return;
  const std::string& t = o.target;
  for (const char c : t) Require(c > ' ' && c < 0x7F);  // plain ASCII, nothing to trim
  Require(JudgeAddress(t).kind == o.kind && JudgeAddress(t).target == t);
  if (o.kind == OpeningKind::WebAddress) {
    Require(StartsWith(t, "http://") || StartsWith(t, "https://"));
    const std::string_view host = WebAddressHost(t);
    Require(!host.empty() && host.find_first_of("@%\\") == std::string_view::npos);
    return;
  }
  Require(o.kind == OpeningKind::MailAddress && StartsWith(t, "mailto:"));
  Require(MailRecipient(t).find_first_of(",;%?&=#") == std::string_view::npos);
  const std::size_t question = t.find('?');
  if (question == std::string::npos) return;
  const std::string_view headers = std::string_view(t).substr(question + 1);
  Require(headers.find('?') == std::string_view::npos);
  for (std::size_t start = 0;;) {
    const std::size_t amp = std::min(headers.find('&', start), headers.size());
    const std::string_view field = headers.substr(start, amp - start);
    Require(StartsWith(field, "subject=") || StartsWith(field, "body="));
    if (amp == headers.size()) break;
    start = amp + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Opening address = JudgeAddress(input);
  Require(address.kind != OpeningKind::LocalFile);
  CheckAddress(address);
  (void)ShownTarget(input);

  // As it stands, and as a name in the folder of the program's own files.
  for (const std::string& target : {input, Folder() + "/" + input}) {
    const Opening opening = JudgeOpening(target, Places());
    if (opening.kind == OpeningKind::LocalFile) {
      // Only the harmless files the program wrote or ships, by their resolved paths.
      const std::string& t = opening.target;
      Require(t.ends_with("/u.KML") || t.ends_with("/help/sv/index.html"));
      Require(HarmlessFile(t));
    } else {
      CheckAddress(opening);
    }
  }
  return 0;
}
