#pragma once
// The help viewer: the program's HTML help pages of the current language, opened at their
// contents or at the page of a help context.

#include <QDialog>
#include <QUrl>
#include <memory>

namespace Ui {
class HelpViewer;
}

namespace stavbas::gui {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  ~HelpViewer() override;

  // Shows a page (a local HTML file); `contents` is where "Innehåll" leads.
  void ShowPage(const QUrl& page, const QUrl& contents);
  QUrl page() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<::Ui::HelpViewer> ui_;
  QUrl contents_;
};

}  // namespace stavbas::gui
