#include "app/gui/output_text_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>

#include "app/gui/white_paper.h"

namespace stavbas::gui {

OutputTextEdit::OutputTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setMouseTracking(true);
  // Read-only text can still be selected and its links followed from the keyboard.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                          Qt::LinksAccessibleByMouse);
  // Black and red text is written with explicit colours, so the page stays white under a dark
  // desktop theme instead of taking the theme's dark base colour.
  UseWhitePaper(this);
}

QString OutputTextEdit::anchorAt(const QPoint& pos) const {
  const QTextCursor cursor = cursorForPosition(pos);
  if (!cursorRect(cursor).adjusted(-20, -2, 20, 2).contains(pos)) return {};
  const QTextBlock block = cursor.block();
  // The character under the point lies after the cursor or, on its right half, before it.
  for (const int at : {cursor.position(), cursor.position() - 1})
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().contains(at) && it.fragment().charFormat().isAnchor())
        return it.fragment().charFormat().anchorHref();
  return {};
}

void OutputTextEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit enterPressed();
      return;
    case Qt::Key_Escape:
      emit escapePressed();
      return;
    default:
      QPlainTextEdit::keyPressEvent(event);
  }
}

void OutputTextEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QString address = anchorAt(event->position().toPoint());
    if (!address.isEmpty()) {
      emit linkActivated(address);
      return;
    }
  }
  QPlainTextEdit::mousePressEvent(event);
}

void OutputTextEdit::mouseMoveEvent(QMouseEvent* event) {
  const bool onLink = !anchorAt(event->position().toPoint()).isEmpty();
  viewport()->setCursor(onLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
  QPlainTextEdit::mouseMoveEvent(event);
}

}  // namespace stavbas::gui
