#pragma once
// The file viewer "VisaFiler" (TVisaFiler): shows the file information, the literature list or
// a file of the database, beside the main window without blocking it. Copying and finding
// work in it; "Öppna" asks the main window for another file.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

namespace Ui {
class TVisaFiler;
}

namespace stavbas::gui {

class FindDialog;

class TVisaFiler : public QMainWindow {
  Q_OBJECT

 public:
  explicit TVisaFiler(QWidget* parent = nullptr);
  ~TVisaFiler() override;

  // Shows a text (Windows-1252) under a name, and brings the viewer to the front.
  void ShowText(const std::string& cp1252, const QString& name);
  QString text() const;

  // Called with the searched text when "Sök nästa" finds nothing.
  std::function<void(const QString&)> notFound;

 signals:
  void openRequested();
  void helpRequested(int context);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<::Ui::TVisaFiler> ui_;
  QPointer<FindDialog> find_;
  QString name_;
};

}  // namespace stavbas::gui
