#pragma once
// The find dialog of the output window: searches forward from the end of the selection, with
// the match-case and whole-word options; the window selects a hit or says that there was none.

#include <QDialog>
#include <QTextDocument>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class FindDialog;
}

namespace stavbas::gui {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent = nullptr);
  ~FindDialog() override;

  QString text() const;
  QTextDocument::FindFlags flags() const;

 signals:
  void findNext();
  void helpRequested(int context);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<::Ui::FindDialog> ui_;
};

// "Sök nästa" in a text: from the end of the selection (or the start) to the end, with the
// dialog's options. A hit is selected; false when there is none.
bool FindNextIn(QPlainTextEdit* edit, const FindDialog& dialog);

}  // namespace stavbas::gui
