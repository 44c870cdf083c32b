#pragma once
// What the program's dialogs share: F1 asks for the help page of the focused field (or of the
// dialog), and a change of language retranslates the dialog. The dialogs block only the main
// window, so that the help viewer stays usable while one is open.

#include <QDialog>

namespace stavbas::gui {

class StavbasDialog : public QDialog {
  Q_OBJECT

 public:
  explicit StavbasDialog(QWidget* parent = nullptr);

  // The help context of the focused widget, or else of the dialog.
  int HelpContext() const;

 signals:
  void helpRequested(int context);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Called on a change of language, after Qt's own retranslation of the widgets.
  virtual void Retranslate() {}
};

}  // namespace stavbas::gui
