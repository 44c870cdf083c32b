#include "base/char_tables.h"

namespace stavbas {
namespace {

ByteTable Identity() {
  ByteTable t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  return t;
}

void Map(ByteTable& t, std::string_view from, unsigned char to) {
  for (char c : from) t[static_cast<unsigned char>(c)] = to;
}

void AsciiToLower(ByteTable& t) {
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c - 'A' + 'a');
}

ByteTable MakeLetterFold() {
  ByteTable t = Identity();
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<unsigned char>(c - 'a' + 'A');
  Map(t, "\xE4\xE6\xC6", 0xC4);          // ä æ Æ -> Ä
  Map(t, "\xE5", 0xC5);                  // å -> Å
  Map(t, "\xF6\xF8\xD8\x9C\x8C", 0xD6);  // ö ø Ø œ Œ -> Ö
  return t;
}

ByteTable MakeLowerCase() {
  ByteTable t = Identity();
  AsciiToLower(t);
  // Œ Á Ä Å Æ É Í Ð Ò Ó Ô Ö Ø Ú Ý Þ
  const unsigned char upper[] = {0x8C, 0xC1, 0xC4, 0xC5, 0xC6, 0xC9, 0xCD, 0xD0,
                                 0xD2, 0xD3, 0xD4, 0xD6, 0xD8, 0xDA, 0xDD, 0xDE};
  for (unsigned char u : upper) t[u] = static_cast<unsigned char>(u == 0x8C ? 0x9C : u + 0x20);
  return t;
}

ByteTable MakeSystemUpper() {
  ByteTable t = Identity();
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<unsigned char>(c - 'a' + 'A');
  for (int c = 0xE0; c <= 0xFE; ++c)
    if (c != 0xF7) t[c] = static_cast<unsigned char>(c - 0x20);
  t[0x9A] = 0x8A;  // š
  t[0x9C] = 0x8C;  // œ
  t[0x9E] = 0x8E;  // ž
  t[0xFF] = 0x9F;  // ÿ
  return t;
}

ByteTable MakeNormalisedCompare() {
  ByteTable t = Identity();
  Map(t, "!\"(),.:;<>?[]{}", 0);
  AsciiToLower(t);
  Map(t, "\x8C\x9C\xD2\xD6\xD8\xF2\xF6", 0xF8);  // Œ œ Ò Ö Ø ò ö -> ø
  Map(t, "\xC1\xE1", 'a');                       // Á á
  Map(t, "\xC4\xC6\xE4", 0xE6);                  // Ä Æ ä -> æ
  Map(t, "\xC5", 0xE5);                          // Å -> å
  Map(t, "\xC9\xE9", 'e');                       // É é
  Map(t, "\xCD\xED", 'i');                       // Í í
  Map(t, "\xD0", 0xF0);                          // Ð -> ð
  Map(t, "\xD3\xF3", 'o');                       // Ó ó
  Map(t, "\xD4", 0xF4);                          // Ô -> ô
  Map(t, "\xDA\xFA", 'u');                       // Ú ú
  Map(t, "\xDD\xFD", 'y');                       // Ý ý
  Map(t, "\xDE", 0xFE);                          // Þ -> þ
  return t;
}

ByteTable MakeRunicCompare() {
  ByteTable t = Identity();
  // ' * + : ` ¤ ¦ ´ ¶ · × ÷ ( ) < = > [ ] ^ { | }
  Map(t, "'*+:`\xA4\xA6\xB4\xB6\xB7\xD7\xF7()<=>[]^{|}", 0);
  t[0] = 26;
  AsciiToLower(t);
  Map(t, "\x8C\x9C\xD6\xD8\xF8", 0xF6);  // Œ œ Ö Ø ø -> ö
  Map(t, "\xC2", 0xE2);                  // Â -> â
  Map(t, "\xC4\xC6\xE4", 0xE6);          // Ä Æ ä -> æ
  Map(t, "\xC5", 0xE5);                  // Å -> å
  Map(t, "\xCF", 0xEF);                  // Ï -> ï
  Map(t, "\xD0", 0xF0);                  // Ð -> ð
  Map(t, "\xD1", 0xF1);                  // Ñ -> ñ
  Map(t, "\xD4", 0xF4);                  // Ô -> ô
  Map(t, "\xDE", 0xFE);                  // Þ -> þ
  Map(t, "\xE3", 'a');                   // ã -> a
  return t;
}

}  // namespace

const ByteTable& LetterFold() {
  static const ByteTable t = MakeLetterFold();
  return t;
}
const ByteTable& LowerCase() {
  static const ByteTable t = MakeLowerCase();
  return t;
}
const ByteTable& SystemUpper() {
  static const ByteTable t = MakeSystemUpper();
  return t;
}
const ByteTable& NormalisedCompare() {
  static const ByteTable t = MakeNormalisedCompare();
  return t;
}
const ByteTable& RunicCompare() {
  static const ByteTable t = MakeRunicCompare();
  return t;
}

std::string MapBytes(std::string_view s, const ByteTable& table) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  const ByteTable& up = SystemUpper();
  for (size_t i = 0; i < prefix.size(); ++i)
    if (up[static_cast<unsigned char>(text[i])] != up[static_cast<unsigned char>(prefix[i])])
      return false;
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

}  // namespace stavbas
