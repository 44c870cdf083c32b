#include "app/gui/text_convert.h"

#include <array>

#include "base/cp1252.h"

namespace stavbas::gui {

namespace {

const std::array<char16_t, 256>& Table() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const std::string one(1, static_cast<char>(b));
      const QString s = QString::fromUtf8(Cp1252ToUtf8(one));
      t[b] = s.isEmpty() ? char16_t(b) : s.at(0).unicode();
    }
    return t;
  }();
  return table;
}

}  // namespace

QString Q(std::string_view cp1252) {
  const auto& table = Table();
  QString out(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
  QChar* data = out.data();
  for (std::size_t i = 0; i < cp1252.size(); ++i)
    data[i] = QChar(table[static_cast<unsigned char>(cp1252[i])]);
  return out;
}

std::string W(const QString& text) {
  return Utf8ToCp1252(text.toUtf8().toStdString());
}

}  // namespace stavbas::gui
