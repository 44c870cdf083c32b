#pragma once
// The read-only rich-text control of the main window: Enter and Escape step and stop a run, a
// click on a web address opens it, and the pointer shows where a link is. It is a plain-text
// control with character formats (fonts, bold, italic, colours, links): its layout handles the
// run's steady appends and the dropping of old text from the top of a full window in time
// proportional to what is shown, where the general rich-text layout re-lays the whole document.

#include <QPlainTextEdit>

namespace stavbas::gui {

class OutputTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit OutputTextEdit(QWidget* parent = nullptr);

 signals:
  void enterPressed();
  void escapePressed();
  void linkActivated(const QString& address);

 public:
  // The address of the link under a point of the viewport, or nothing.
  QString anchorAt(const QPoint& pos) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace stavbas::gui

using stavbas::gui::OutputTextEdit;
