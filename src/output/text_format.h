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
  bool HitsTellOnlyPositions() const override { return true; }
  bool HitOnlyMarks() const override { return true; }
  void FinishInscription(Visit& visit) override;

  // Writes the inscription into the staging buffer and appends it to the output window.
  void SkrivUtText(Visit& visit);

 private:
  struct Styles;
  // `lineEndsAtMarks`: page marks after the first start a line rather than take a blank.
  void WriteWords(Visit& visit, const FormatItem& item, const Styles& styles, bool lineEndsAtMarks);
  void WriteInfoColumns(Visit& visit, std::size_t index, bool& wantLineEnd);

  // The staging buffer's numbers of the styles the text is written in, for the output font.
  struct Styles {
    std::uint64_t serial = 0;  // of the staging buffer; 0: not numbered yet
    std::string font;
    int size = 0;
    std::uint32_t plain = 0;
    std::uint32_t bold = 0, italic = 0;        // runic and normalised words
    std::uint32_t boldHit = 0, italicHit = 0;  // their hits in red
  };
  const Styles& StylesOf(OutputContext& ctx);
  Styles styles_;
};

}  // namespace stavbas
