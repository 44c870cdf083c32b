#pragma once
// "Om Stavbas": the program's name and version, the date of the runic text file and the address
// for new versions. At start-up the same box, without its frame and "OK", is the splash screen.

#include <QDialog>
#include <memory>

namespace Ui {
class TOmStavbas;
}

namespace stavbas::gui {

class TOmStavbas : public QDialog {
  Q_OBJECT

 public:
  explicit TOmStavbas(QWidget* parent = nullptr);
  ~TOmStavbas() override;

  // The date line ("Datum för Runtextfilen: " and a date; empty when there is none) and the
  // address of new versions.
  void SetDetails(const QString& dateLine, const QString& newVersionAddress);
  // Shows the box as the splash screen: frameless, on top, without "OK", closing itself.
  void ShowAsSplash(int milliseconds = 3000);

 signals:
  // The address of new versions was clicked; the box opens nothing itself.
  void newVersionRequested();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<::Ui::TOmStavbas> ui_;
};

}  // namespace stavbas::gui
