#include "app/gui/help_viewer.h"

#include <QEvent>

#include "app/gui/white_paper.h"
#include "ui_help_viewer.h"

namespace stavbas::gui {

HelpViewer::HelpViewer(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::HelpViewer>()) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  // Help pages are for reading: white paper and dark text under any theme.
  UseWhitePaper(ui_->browser);
  connect(ui_->contents, &QPushButton::clicked, this,
          [this] { ui_->browser->setSource(contents_); });
  connect(ui_->back, &QPushButton::clicked, ui_->browser, &QTextBrowser::backward);
  connect(ui_->forward, &QPushButton::clicked, ui_->browser, &QTextBrowser::forward);
  connect(ui_->browser, &QTextBrowser::backwardAvailable, ui_->back, &QWidget::setEnabled);
  connect(ui_->browser, &QTextBrowser::forwardAvailable, ui_->forward, &QWidget::setEnabled);
  connect(ui_->browser, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(ui_->browser->documentTitle()); });
  // Links are followed here, so that none reaches the desktop unchecked.
  connect(ui_->browser, &QTextBrowser::anchorClicked, this, &HelpViewer::Follow);
  ui_->back->setEnabled(false);
  ui_->forward->setEnabled(false);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::ShowPage(const QUrl& page, const QUrl& contents) {
  contents_ = contents;
  ui_->browser->setSource(page);
  show();
  raise();
  activateWindow();
}

QUrl HelpViewer::page() const {
  return ui_->browser->source();
}

void HelpViewer::Follow(const QUrl& link) {
  if (!followLink) return;
  const QUrl url = ui_->browser->source().resolved(link);
  if (!url.isLocalFile()) {
    followLink(url.toString(QUrl::FullyEncoded).toStdString());
    return;
  }
  const std::string page = followLink(url.toLocalFile().toStdString());
  if (page.empty()) return;
  QUrl target = QUrl::fromLocalFile(QString::fromStdString(page));
  target.setFragment(url.fragment());
  ui_->browser->setSource(target);
}

void HelpViewer::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}

}  // namespace stavbas::gui
