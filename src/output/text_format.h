#pragma once
// The text format: each inscription written whole, item by item, after its word positions
// have been visited.

#include "output/visit.h"

namespace stavbas {

class TTextFormat : public TFormat {
 public:
  TTextFormat() : TFormat(LayoutKind::kText) {}
  bool Accept(char c) override { return AcceptTextCharacter(items().back(), c); }
  void RecordHit(Visit& visit) override;
  void FinishInscription(Visit& visit) override;

  // Writes the inscription into the staging buffer and appends it to the output window.
  void SkrivUtText(Visit& visit);

 private:
  void WriteWords(Visit& visit, const FormatItem& item);
  void WriteInfoColumns(Visit& visit, std::size_t index, bool& wantLineEnd);
};

}  // namespace stavbas
