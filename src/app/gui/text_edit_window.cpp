#include "app/gui/text_edit_window.h"

#include <QTextBlock>
#include <QTextDocument>

#include "app/address_finder.h"
#include "app/gui/text_convert.h"

namespace stavbas::gui {

namespace {

constexpr QChar kLoneBreak = QChar::LineSeparator;  // a lone "\r" or "\n" of the core

QString BlockText(const QTextBlock& block) {
  return block.text();
}

// "\r\n" becomes a paragraph break ("\n" to insertText); a lone "\r" or "\n" stays one
// character, a line separator.
QString ToDocumentText(std::string_view text) {
  const QString q = Q(text);
  QString out;
  out.reserve(q.size());
  for (qsizetype i = 0; i < q.size(); ++i) {
    const QChar c = q[i];
    if (c == QChar('\r') && i + 1 < q.size() && q[i + 1] == QChar('\n')) {
      out += QChar('\n');
      ++i;
    } else {
      out += c == QChar('\r') || c == QChar('\n') ? kLoneBreak : c;
    }
  }
  return out;
}

std::string FromDocument(const QString& text) {
  QString t = text;
  t.replace(kLoneBreak, QChar('\n'));
  return W(t);
}

}  // namespace

TextEditWindow::TextEditWindow(QTextDocument* document)
    : doc_(document), appendCursor_(doc_), insertCursor_(doc_) {
  doc_->setUndoRedoEnabled(false);
}

QTextCharFormat TextEditWindow::FormatOf(const TextStyle& style) {
  QTextCharFormat f;
  f.setFontFamilies({QString::fromStdString(style.font)});
  f.setFontPointSize(style.size > 0 ? style.size : 10);
  f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(style.italic);
  f.setForeground(QColor(static_cast<QRgb>(0xFF000000u | style.color)));
  return f;
}

TextStyle TextEditWindow::StyleOf(const QTextCharFormat& f, const TextStyle& fallback) {
  TextStyle s = fallback;
  const QStringList families = f.fontFamilies().toStringList();
  if (!families.isEmpty()) s.font = families.first().toStdString();
  if (f.fontPointSize() > 0) s.size = static_cast<int>(f.fontPointSize() + 0.5);
  s.bold = f.fontWeight() >= QFont::DemiBold;
  s.italic = f.fontItalic();
  if (f.hasProperty(QTextFormat::ForegroundBrush))
    s.color = f.foreground().color().rgb() & 0xFFFFFF;
  return s;
}

const QTextCharFormat& TextEditWindow::Format(const TextStyle& style) {
  for (const auto& [s, f] : formats_)
    if (s == style) return f;
  formats_.emplace_back(style, FormatOf(style));
  return formats_.back().second;
}

// ---- reading ----

std::size_t TextEditWindow::Length() const {
  // Each paragraph break stands for the two characters of a line end.
  return static_cast<std::size_t>(doc_->characterCount() - 1 + doc_->blockCount() - 1);
}

int TextEditWindow::LineCount() const {
  const int blocks = doc_->blockCount();
  return doc_->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

std::string TextEditWindow::Line(int index) const {
  if (index < 0 || index >= LineCount()) return {};
  return FromDocument(BlockText(doc_->findBlockByNumber(index)));
}

std::size_t TextEditWindow::LineStart(int index) const {
  if (index < 0) return 0;
  if (index >= LineCount()) return Length();
  return static_cast<std::size_t>(doc_->findBlockByNumber(index).position() + index);
}

std::string TextEditWindow::Text() const {
  std::string out;
  out.reserve(Length());
  for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
    if (b != doc_->begin()) out += "\r\n";
    out += FromDocument(BlockText(b));
  }
  return out;
}

std::string TextEditWindow::Tail(std::size_t count) const {
  std::string tail;
  for (QTextBlock b = doc_->lastBlock(); b.isValid() && tail.size() < count; b = b.previous()) {
    if (b != doc_->lastBlock()) tail.insert(0, "\r\n");
    tail.insert(0, FromDocument(BlockText(b)));
  }
  return tail.substr(tail.size() - std::min(count, tail.size()));
}

int TextEditWindow::ToDocument(std::size_t position, bool after) const {
  // The block whose core start (its position plus its number) is the last at or before it.
  int lo = 0, hi = doc_->blockCount() - 1;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    const std::size_t start =
        static_cast<std::size_t>(doc_->findBlockByNumber(mid).position() + mid);
    if (start <= position)
      lo = mid;
    else
      hi = mid - 1;
  }
  const QTextBlock block = doc_->findBlockByNumber(lo);
  const std::size_t offset = position - static_cast<std::size_t>(block.position() + lo);
  const int textLength = block.length() - 1;
  if (offset <= static_cast<std::size_t>(textLength))
    return block.position() + static_cast<int>(offset);
  // Between "\r" and "\n", or past the end.
  return block.position() + textLength + (after && block.next().isValid() ? 1 : 0);
}

// ---- writing ----

void TextEditWindow::Insert(QTextCursor& cursor, std::string_view text, const TextStyle& style) {
  const QTextCharFormat& format = Format(style);
  auto put = [&](std::string_view piece, const QTextCharFormat& f) {
    cursor.insertText(ToDocumentText(piece), f);
  };
  std::size_t at = 0;
  for (const TextSpan& span : FindWebAddresses(text)) {
    if (span.start > at) put(text.substr(at, span.start - at), format);
    QTextCharFormat link = format;
    link.setAnchor(true);
    link.setAnchorHref(Q(LinkAddress(text.substr(span.start, span.length))));
    link.setFontUnderline(true);
    link.setForeground(QColor(0x00, 0x00, 0xCC));
    put(text.substr(span.start, span.length), link);
    at = span.start + span.length;
  }
  if (at < text.size()) put(text.substr(at), format);
}

void TextEditWindow::Append(const std::vector<StyledRun>& runs) {
  appendCursor_.movePosition(QTextCursor::End);
  appendCursor_.beginEditBlock();
  for (const StyledRun& run : runs) Insert(appendCursor_, run.text, run.style);
  appendCursor_.endEditBlock();
  insertCursor_.movePosition(QTextCursor::End);
}

void TextEditWindow::AppendStaged(const StagingBuffer& staging, int size) {
  appendCursor_.movePosition(QTextCursor::End);
  appendCursor_.beginEditBlock();
  const std::string_view text = staging.text();
  std::size_t start = 0;
  for (const StagingBuffer::Span& span : staging.spans()) {
    const std::string_view piece = text.substr(start, span.end - start);
    const TextStyle& style = staging.StyleOf(span.style);
    if (size > 0 && style.size != size) {
      TextStyle sized = style;
      sized.size = size;
      Insert(appendCursor_, piece, sized);
    } else {
      Insert(appendCursor_, piece, style);
    }
    start = span.end;
  }
  appendCursor_.endEditBlock();
  insertCursor_.movePosition(QTextCursor::End);
}

void TextEditWindow::Delete(std::size_t start, std::size_t count) {
  if (count == 0 || start >= Length()) return;
  QTextCursor c(doc_);
  c.setPosition(ToDocument(start, false));
  c.setPosition(ToDocument(std::min(start + count, Length()), true), QTextCursor::KeepAnchor);
  c.removeSelectedText();
}

void TextEditWindow::InsertAtCursor(std::string_view text, const TextStyle& style) {
  insertCursor_.beginEditBlock();
  Insert(insertCursor_, text, style);
  insertCursor_.endEditBlock();
}

void TextEditWindow::InsertAtStart(std::string_view text, const TextStyle& style) {
  QTextCursor c(doc_);
  c.movePosition(QTextCursor::Start);
  Insert(c, text, style);
}

void TextEditWindow::MoveCursorToEnd() {
  insertCursor_.movePosition(QTextCursor::End);
}

void TextEditWindow::Clear() {
  doc_->clear();
  appendCursor_ = QTextCursor(doc_);
  insertCursor_ = QTextCursor(doc_);
  appendCursor_.setCharFormat(Format(defaultStyle));
}

int TextEditWindow::FontSizeAtEnd() const {
  if (doc_->isEmpty()) return defaultStyle.size;
  QTextCursor c(doc_);
  c.movePosition(QTextCursor::End);
  const qreal size = c.charFormat().fontPointSize();
  return size > 0 ? static_cast<int>(size + 0.5) : defaultStyle.size;
}

std::vector<StyledRun> TextEditWindow::Runs() const {
  std::vector<StyledRun> runs;
  auto add = [&](std::string text, const TextStyle& style) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().style == style)
      runs.back().text += text;
    else
      runs.push_back({std::move(text), style});
  };
  TextStyle last = defaultStyle;
  for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
    if (b != doc_->begin()) add("\r\n", last);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (!f.isValid()) continue;
      QTextCharFormat format = f.charFormat();
      if (format.isAnchor()) format.setForeground(QColor(Qt::black));
      last = StyleOf(format, defaultStyle);
      add(FromDocument(f.text()), last);
    }
  }
  return runs;
}

}  // namespace stavbas::gui
