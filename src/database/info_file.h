#pragma once
// Information files (kinds 4 and 5): per inscription, fields named by a code letter A to Z.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/link_settings.h"
#include "database/data_file.h"

namespace stavbas {

// Header names indexed by code letter A to Z; empty when the letter is not used.
using TInfoRubrikLista = std::array<std::string, 26>;

constexpr std::string_view kAllInfoCodes = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

class TInfoFil : public TDatafil {
 public:
  TInfoFil(Ui& ui, int kind);

  void FirstWord() override;
  std::string_view FindInfoField(char letter) const override;
  std::string InfoField(char letter) const override;
  bool HasInfoCode(char letter) const override;
  std::string InfoHeader(char letter) const override;
  void FirstInfoCode() override { iterator_ = 1; }
  bool MoreInfoCodes() const override { return iterator_ <= codeLetters_.size(); }
  std::string NextInfoField(bool withHeader) override;
  // The link prefixes and coordinate separator used by the formatted fields.
  void SetLinks(const LinkSettings& links) { links_ = &links; }

  // Reads the values of the file's "!/I" header lines ("PPlats;SSocken;..."), reporting faulty
  // and repeated entries. Without any value every letter is used, with empty names.
  void ReadInfoHeaders(const std::vector<std::string>& values);

  const TInfoRubrikLista& headers() const { return headers_; }
  // The used letters in the order of their header entries.
  const std::string& codeLetters() const { return codeLetters_; }
  // The code letter at the field iterator; the iterator then advances.
  char NextInfoCode() { return codeLetters_[iterator_++ - 1]; }

 private:
  TInfoRubrikLista headers_;
  std::string codeLetters_;
  std::size_t iterator_ = 1;
  const LinkSettings* links_;
};

}  // namespace stavbas
