#include "app/gui/about_box.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QTimer>

#include "ui_about_box.h"

namespace stavbas::gui {

TOmStavbas::TOmStavbas(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::TOmStavbas>()) {
  ui_->setupUi(this);
  ui_->picture->setPixmap(QIcon(":/icons/stavbas.svg").pixmap(96, 96));
  connect(ui_->linkLine, &QLabel::linkActivated, this, [this] { emit newVersionRequested(); });
}

TOmStavbas::~TOmStavbas() = default;

void TOmStavbas::SetDetails(const QString& dateLine, const QString& address) {
  ui_->dateLine->setText(dateLine);
  ui_->dateLine->setVisible(!dateLine.isEmpty());
  ui_->linkLine->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
}

void TOmStavbas::ShowAsSplash(int milliseconds) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  ui_->ok->hide();
  setStyleSheet(QStringLiteral("#TOmStavbas { border: 1px solid palette(mid); }"));
  adjustSize();
  show();
  QTimer::singleShot(milliseconds, this, &QWidget::close);
}

void TOmStavbas::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}

}  // namespace stavbas::gui
