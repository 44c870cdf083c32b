#pragma once
// The file kinds that differ in how their words are split and shown.

#include <array>
#include <string_view>

#include "database/data_file.h"

namespace stavbas {

// Runic text (kind 0): readings, brackets carried between words, divider tokens skipped.
class TRuntextFil : public TDatafil {
 public:
  explicit TRuntextFil(Ui& ui);
  bool IsSkipWord(std::string_view word) const override;
  void NextAlternative() override;
  std::string WordText() const override;

 protected:
  bool NextWordIn(WordState& w) const override;
  bool NextTokenIn(WordState& w) const override;
};

// Runic and normalised word files (kinds 1 and 3): readings only.
class TSokFil : public TDatafil {
 public:
  TSokFil(Ui& ui, int kind);
  void NextAlternative() override;

 protected:
  bool NextWordIn(WordState& w) const override;
};

// Normalised text (kind 2): readings, brackets, proper names and normalised word text.
class TNormtextFil : public TDatafil {
 public:
  explicit TNormtextFil(Ui& ui);
  void NextAlternative() override;
  std::string WordText() const override;
  using TKombifil::SearchText;
  std::string_view SearchText(std::string& scratch) const override;

 protected:
  bool NextWordIn(WordState& w) const override;
};

// Whole texts such as translations (kind 6): read as a whole, not word by word.
class THeltextFil : public TDatafil {
 public:
  explicit THeltextFil(Ui& ui);
  void FirstWord() override;
};

// Steps to the next "/" reading of the current word.
void StepAlternative(WordState& w);

namespace word_detail {
constexpr std::array<bool, 256> MakeDividers() {
  std::array<bool, 256> t{};
  // ' * + : ` ¤ ¦ ´ ¶ · × ÷
  for (unsigned char c : std::string_view("'*+:`\xA4\xA6\xB4\xB6\xB7\xD7\xF7")) t[c] = true;
  return t;
}
}  // namespace word_detail

// The marks that divide the words of runic text.
inline constexpr std::array<bool, 256> kDividers = word_detail::MakeDividers();

// The word dividers and other marks of runic text that do not count as words: a divider, after
// any opening brackets. Every word is asked, so this is inline.
inline bool IsDividerToken(std::string_view word) {
  std::size_t i = 0;
  while (i < word.size() && (word[i] == '(' || word[i] == '[')) ++i;
  return i < word.size() && kDividers[static_cast<unsigned char>(word[i])];
}

}  // namespace stavbas
