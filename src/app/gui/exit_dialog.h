#pragma once
// "Avsluta Stavbas": asks whether to leave, and whether to save the text and the settings.

#include <QDialog>
#include <memory>

#include "app/exit_confirmation.h"

namespace Ui {
class TAvslutaStavbas;
}

namespace stavbas::gui {

class TAvslutaStavbas : public QDialog {
  Q_OBJECT

 public:
  explicit TAvslutaStavbas(QWidget* parent = nullptr);
  ~TAvslutaStavbas() override;

  // Sets the dialog as a new opening: the text group only when offered, both groups on their
  // "keep" choices, and "Nej" only when the user may stay.
  void Open(const ExitChoices& choices);
  ExitChoices Choices() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<::Ui::TAvslutaStavbas> ui_;
  ExitChoices opened_;
};

}  // namespace stavbas::gui
