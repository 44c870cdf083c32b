#include "base/opening_rule.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/cp1252.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

bool Letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

bool Control(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

int HexValue(char c) {
  if (Digit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The scheme before the first ":" (a letter, then letters, digits, "+", "-" and "."); empty
// when the text does not begin with one.
std::string_view SchemeOf(std::string_view a) {
  if (a.empty() || !Letter(a[0])) return {};
  for (std::size_t i = 1; i < a.size(); ++i) {
    if (a[i] == ':') return a.substr(0, i);
    if (!Letter(a[i]) && !Digit(a[i]) && a[i] != '+' && a[i] != '-' && a[i] != '.') return {};
  }
  return {};
}

void Escape(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

// A part of an address (path, query, fragment, a mail header's value) as an address can hold
// it: letters, digits, "-._~" and the punctuation in `keep` stay; a whole "%XX" stays; a lone
// "%" and every other character are escaped, a character outside ASCII as its UTF-8 bytes.
void AppendEncoded(std::string& out, std::string_view part, std::string_view keep) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char c = part[i];
    const auto u = static_cast<unsigned char>(c);
    if (c == '%') {
      if (PercentEscapedByte(part, i) >= 0) {
        out.append(part.substr(i, 3));
        i += 2;
      } else {
        out += "%25";
      }
    } else if (u >= 0x80) {
      for (const char b : Cp1252ToUtf8(part.substr(i, 1)))
        Escape(out, static_cast<unsigned char>(b));
    } else if (Letter(c) || Digit(c) || c == '-' || c == '.' || c == '_' || c == '~' ||
               keep.find(c) != std::string_view::npos) {
      out += c;
    } else {
      Escape(out, u);
    }
  }
}

// A host name (letters, digits, "-", "_" and dots, holding a letter or digit) or an IPv6
// address in brackets. No user name, no escapes, nothing outside ASCII.
bool ValidHost(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    return std::all_of(host.begin() + 1, host.end() - 1,
                       [](char c) { return HexValue(c) >= 0 || c == ':' || c == '.'; });
  }
  bool named = false;
  for (const char c : host) {
    if (Letter(c) || Digit(c)) {
      named = true;
    } else if (c != '-' && c != '_' && c != '.') {
      return false;
    }
  }
  return named;
}

bool ValidPort(std::string_view port) {
  if (port.empty() || port.size() > 5) return false;
  long value = 0;
  for (const char c : port) {
    if (!Digit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return value <= 65535;
}

// "host" or "host:port".
bool ValidAuthority(std::string_view authority) {
  std::string_view host = authority, port;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return false;
    host = authority.substr(0, close + 1);
    const std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after[0] != ':') return false;
      port = after.substr(1);
      if (!ValidPort(port)) return false;
    }
    return ValidHost(host);
  }
  if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    if (!ValidPort(authority.substr(colon + 1))) return false;
  }
  return ValidHost(host);
}

constexpr std::string_view kPathPunctuation = "!$&'()*+,;=:@/?";
constexpr std::string_view kValuePunctuation = "!$'()*+,;:@/";

Opening WebAddress(std::string_view scheme, std::string_view rest) {
  if (!rest.starts_with("//")) return {};
  rest.remove_prefix(2);
  const std::size_t end = std::min(rest.find_first_of("/?#"), rest.size());
  const std::string_view authority = rest.substr(0, end);
  if (!ValidAuthority(authority)) return {};
  Opening o{OpeningKind::WebAddress, LowerAscii(scheme) + "://" + LowerAscii(authority)};
  const std::string_view tail = rest.substr(end);
  const std::size_t hash = tail.find('#');
  AppendEncoded(o.target, tail.substr(0, hash), kPathPunctuation);
  if (hash != std::string_view::npos) {
    o.target += '#';
    AppendEncoded(o.target, tail.substr(hash + 1), kPathPunctuation);  // a second "#" escaped
  }
  return o;
}

// One recipient or none: a local part, optionally "@" and a domain. Nothing that a mail
// program could read as a second recipient or as the start of a header.
bool ValidRecipient(std::string_view r) {
  const std::size_t at = r.find('@');
  const std::string_view local = r.substr(0, at);
  for (const char c : local)
    if (!Letter(c) && !Digit(c) && std::string_view("._+-!$'*~").find(c) == std::string_view::npos)
      return false;
  if (at == std::string_view::npos) return true;
  return !local.empty() && ValidHost(r.substr(at + 1)) && !r.substr(at + 1).starts_with('[');
}

// A subject that would break the mail's header into lines.
bool BreaksLine(std::string_view value) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const int b = PercentEscapedByte(value, i);
    if (b == 0 || b == '\r' || b == '\n') return true;
  }
  return false;
}

Opening MailAddress(std::string_view rest) {
  const std::size_t question = rest.find('?');
  const std::string_view recipient = rest.substr(0, question);
  if (!ValidRecipient(recipient)) return {};
  Opening o{OpeningKind::MailAddress, "mailto:" + std::string(recipient)};
  if (question == std::string_view::npos) return o;
  const std::string_view headers = rest.substr(question + 1);
  if (headers.find('?') != std::string_view::npos) return {};
  o.target += '?';
  std::size_t start = 0;
  while (true) {
    const std::size_t amp = std::min(headers.find('&', start), headers.size());
    const std::string_view field = headers.substr(start, amp - start);
    const std::size_t eq = field.find('=');
    if (eq == std::string_view::npos) return {};
    const std::string name = LowerAscii(field.substr(0, eq));
    const std::string_view value = field.substr(eq + 1);
    if (name != "subject" && name != "body") return {};
    if (name == "subject" && BreaksLine(value)) return {};
    o.target += name + "=";
    AppendEncoded(o.target, value, kValuePunctuation);
    if (amp == headers.size()) break;
    o.target += '&';
    start = amp + 1;
  }
  return o;
}

bool DesktopEntry(const fs::path& p) {
  return LowerAscii(p.filename().string()).ends_with(".desktop");
}

}  // namespace

int PercentEscapedByte(std::string_view s, std::size_t at) {
  if (at + 2 >= s.size() || s[at] != '%') return -1;
  const int high = HexValue(s[at + 1]), low = HexValue(s[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

void OpeningPlaces::NoteWritten(const std::string& path) {
  std::error_code ec;
  const fs::path resolved = fs::canonical(path, ec);
  if (!ec) written_.insert(resolved.string());
}

void OpeningPlaces::NoteShippedFolder(const std::string& folder) {
  std::error_code ec;
  const fs::path resolved = fs::canonical(folder, ec);
  if (!ec && fs::is_directory(resolved, ec)) shipped_.push_back(resolved.string());
}

bool OpeningPlaces::Shipped(const std::string& resolved) const {
  const fs::path file(resolved);
  for (const std::string& folder : shipped_) {
    const fs::path f(folder);
    const auto [fi, ri] = std::mismatch(f.begin(), f.end(), file.begin(), file.end());
    if (fi == f.end() && ri != file.end()) return true;
  }
  return false;
}

Opening JudgeAddress(std::string_view address) {
  // Blanks round an address are no part of it; a control character anywhere is refused.
  std::string_view a = address;
  while (!a.empty() && (a.front() == ' ' || a.front() == '\t')) a.remove_prefix(1);
  while (!a.empty() && (a.back() == ' ' || a.back() == '\t')) a.remove_suffix(1);
  for (const char c : a)
    if (Control(static_cast<unsigned char>(c))) return {};
  const std::string_view scheme = SchemeOf(a);
  const std::string lower = LowerAscii(scheme);
  const std::string_view rest = a.substr(std::min(scheme.size() + 1, a.size()));
  if (lower == "http" || lower == "https") return WebAddress(scheme, rest);
  if (lower == "mailto") return MailAddress(rest);
  // A web server's name alone, as people write it, is a web address.
  if (scheme.empty() && LowerAscii(a.substr(0, 4)) == "www.")
    return WebAddress("http", "//" + std::string(a));
  return {};
}

bool HarmlessFile(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  const fs::path given(path);
  std::error_code ec;
  const fs::path resolved = fs::canonical(given, ec);
  if (ec || DesktopEntry(given) || DesktopEntry(resolved)) return false;
  struct stat st;
  if (::stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0;
}

Opening JudgeOpening(std::string_view target, const OpeningPlaces& places) {
  const std::string path(target);
  if (!places.empty() && !path.empty() && path.find('\0') == std::string::npos) {
    std::error_code ec;
    const std::string resolved = fs::canonical(path, ec).string();
    if (!ec && (places.Written(resolved) || places.Shipped(resolved)))
      return HarmlessFile(path) ? Opening{OpeningKind::LocalFile, resolved} : Opening{};
  }
  return JudgeAddress(target);
}

std::string ShownTarget(std::string_view target) {
  constexpr std::size_t kShown = 200;
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < target.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(target[i]);
    if (Control(c)) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (target.size() > kShown) out += '\x85';
  return out;
}

std::string_view WebAddressHost(std::string_view checked) {
  const std::size_t start = checked.find("://");
  if (start == std::string_view::npos) return {};
  std::string_view authority = checked.substr(start + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (authority.starts_with('[')) return authority.substr(0, authority.find(']') + 1);
  return authority.substr(0, authority.rfind(':'));
}

std::string_view MailRecipient(std::string_view checked) {
  if (!checked.starts_with("mailto:")) return {};
  const std::string_view rest = checked.substr(7);
  return rest.substr(0, rest.find('?'));
}

}  // namespace stavbas
