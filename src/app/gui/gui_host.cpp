#include "app/gui/gui_host.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/gui/text_convert.h"
#include "base/opening_rule.h"
#include "output/window_append.h"

namespace stavbas::gui {

namespace {

// The longest the run keeps the event loop waiting between two looks at the user's commands.
constexpr qint64 kEventBudgetMs = 25;

// Message boxes and the input box show the normal arrow even while a run is busy.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

GuiHost::GuiHost(QWidget* window, OutputWindow& output) : window_(window), output_(output) {
  sinceEvents_.start();
  // The nested waits look at their condition whenever the event loop runs out of work.
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, window,
                     [this] { CheckWaits(); });
}

GuiHost::~GuiHost() {
  SetBusyCursor(false);
}

bool GuiHost::ShowBox(MsgKind kind, const std::string& text) {
  ArrowWhileAsking arrow;
  QMessageBox box(window_);
  box.setWindowTitle(window_->windowTitle());
  box.setText(Q(text));
  switch (kind) {
    case MsgKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case MsgKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MsgKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
  }
  if (kind != MsgKind::Confirmation) {
    box.addButton(QCoreApplication::translate("GuiHost", "OK"), QMessageBox::AcceptRole);
    box.exec();
    return false;
  }
  QPushButton* yes =
      box.addButton(QCoreApplication::translate("GuiHost", "&Ja"), QMessageBox::YesRole);
  QPushButton* no =
      box.addButton(QCoreApplication::translate("GuiHost", "&Nej"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void GuiHost::AppendLine(const std::string& text) {
  const TextStyle plain = PlainStyleOf(output_);
  std::string line;
  if (output_.Length() > 0 && output_.Tail(2) != "\r\n") line = "\r\n";
  line += text + "\r\n";
  output_.Append({{line, plain}});
}

void GuiHost::InsertMessageLine(const std::string& text) {
  stavbas::InsertMessageLine(output_, text);
}

void GuiHost::AppendComment(const std::string& text) {
  comments_.append(Q(text));
}

void GuiHost::SetStatusPanel(int panel, const std::string& text) {
  if (panel < 0 || panel > 3 || !panels[panel]) return;
  panels[panel]->setText(Q(text));
  panels[panel]->setToolTip(Q(text));
  // Shown at once: "Sparar..." is up only while a save works, without the event loop turning.
  panels[panel]->repaint();
  if (panel == 3 && provinceLabel) provinceLabel->setText(Q(text));
}

std::optional<std::string> GuiHost::InputBox(const std::string& caption, const std::string& prompt,
                                             const std::string& defaultText) {
  ArrowWhileAsking arrow;
  QInputDialog dialog(window_);
  dialog.setWindowTitle(Q(caption));
  dialog.setLabelText(Q(prompt));
  dialog.setTextValue(Q(defaultText));
  dialog.setOkButtonText(QCoreApplication::translate("GuiHost", "OK"));
  dialog.setCancelButtonText(QCoreApplication::translate("GuiHost", "Avbryt"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return W(dialog.textValue());
}

void GuiHost::WaitUntil(const std::function<bool()>& done) {
  if (done()) return;
  if (beforeEvents) beforeEvents();
  QEventLoop loop;
  waits_.push_back({&done, &loop});
  loop.exec();
  std::erase_if(waits_, [&](const Wait& w) { return w.loop == &loop; });
  sinceEvents_.restart();
}

void GuiHost::CheckWaits() {
  for (const Wait& w : waits_)
    if ((*w.done)()) w.loop->exit();
}

void GuiHost::ProcessEvents() {
  const qint64 gap = sinceEvents_.elapsed();
  if (gap < kEventBudgetMs) return;
  longestGapMs = std::max(longestGapMs, gap);
  if (beforeEvents) beforeEvents();
  QCoreApplication::processEvents();
  sinceEvents_.restart();
}

void GuiHost::ResetGap() {
  longestGapMs = 0;
  sinceEvents_.restart();
}

std::optional<QUrl> DesktopUrl(const std::string& target) {
  if (target.starts_with('/')) {
    if (!HarmlessFile(target)) return std::nullopt;
    return QUrl::fromLocalFile(Q(target));
  }
  const Opening opening = JudgeAddress(target);
  if (!opening.allowed() || opening.target != target) return std::nullopt;
  const QUrl url(QString::fromLatin1(target.data(), static_cast<qsizetype>(target.size())),
                 QUrl::StrictMode);
  if (!url.isValid() || !url.userInfo().isEmpty()) return std::nullopt;
  const QString scheme = Q(target.substr(0, target.find(':')));
  if (url.scheme() != scheme) return std::nullopt;
  if (opening.kind == OpeningKind::MailAddress)
    return url.path(QUrl::FullyEncoded) == Q(MailRecipient(target)) ? std::optional(url)
                                                                    : std::nullopt;
  const QString host = Q(WebAddressHost(target));
  // Qt writes an IPv6 address without its brackets, and may shorten it.
  const bool same =
      host.startsWith('[') ? url.host().contains(':') : url.host(QUrl::FullyEncoded) == host;
  return same ? std::optional(url) : std::nullopt;
}

void GuiHost::ShellOpen(const std::string& target) {
  if (const std::optional<QUrl> url = DesktopUrl(target)) QDesktopServices::openUrl(*url);
}

void GuiHost::SetCommandEnabled(std::string_view command, bool enabled) {
  const auto it = commands.find(command);
  if (it == commands.end()) {
    if (unknownCommand) unknownCommand(command);
    return;
  }
  if (it->second.apply)
    it->second.apply(enabled);
  else if (it->second.action)
    it->second.action->setEnabled(enabled);
}

void GuiHost::SetCommandText(std::string_view command, std::string_view what,
                             const std::string& text) {
  const auto it = commands.find(command);
  if (it == commands.end() || !it->second.action) {
    if (it == commands.end() && unknownCommand) unknownCommand(command);
    return;
  }
  QAction* action = it->second.action;
  if (what == "Caption") {
    action->setText(Q(text));
  } else if (what == "Hint") {
    action->setStatusTip(Q(text));
    action->setToolTip(text.empty() ? action->text() : Q(text));
  }
}

void GuiHost::SetBusyCursor(bool on) {
  if (on == busyCursor_) return;
  busyCursor_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace stavbas::gui
