#pragma once
// The read-only rich-text control of the main window: Enter and Escape step and stop a run, a
// click on a web address opens it, and the pointer shows where a link is.

#include <QTextEdit>

namespace stavbas::gui {

class OutputTextEdit : public QTextEdit {
  Q_OBJECT

 public:
  explicit OutputTextEdit(QWidget* parent = nullptr);

 signals:
  void enterPressed();
  void escapePressed();
  void linkActivated(const QString& address);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace stavbas::gui

using stavbas::gui::OutputTextEdit;
