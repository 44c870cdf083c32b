#include "app/gui/white_paper.h"

#include <QPalette>
#include <QWidget>

namespace stavbas::gui {

void UseWhitePaper(QWidget* textWidget) {
  QPalette p = textWidget->palette();
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  textWidget->setPalette(p);
}

}  // namespace stavbas::gui
