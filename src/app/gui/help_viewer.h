#pragma once
// The help viewer: the program's HTML help pages of the current language, opened at their
// contents or at the page of a help context.

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

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

  // Follows a clicked link, given as a local path or an address: returns the help page to
  // show (a resolved path), or nothing after handing the link to the desktop or refusing it.
  // Without it no link is followed.
  std::function<std::string(const std::string& target)> followLink;
  // A click on a link of the page shown, relative to it.
  void Follow(const QUrl& link);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<::Ui::HelpViewer> ui_;
  QUrl contents_;
};

}  // namespace stavbas::gui
