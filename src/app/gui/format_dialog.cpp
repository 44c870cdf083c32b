#include "app/gui/format_dialog.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QSignalBlocker>
#include <algorithm>

#include "app/gui/text_convert.h"
#include "ui_format_dialog.h"

namespace stavbas::gui {

namespace {

// The fixed choices of the dialog, shown in the language in force.
constexpr const char* kFixedChoices[] = {
    QT_TRANSLATE_NOOP("TFormatval", "Standardformat"),
    QT_TRANSLATE_NOOP("TFormatval", "Blankrad"),
    QT_TRANSLATE_NOOP("TFormatval", "Extra mellanrum"),
    QT_TRANSLATE_NOOP("TFormatval", "Ingen ny rad"),
    QT_TRANSLATE_NOOP("TFormatval", "Minimalt mellanrum"),
    QT_TRANSLATE_NOOP("TFormatval", "Tabbtecken"),
    QT_TRANSLATE_NOOP("TFormatval", "Signum"),
    QT_TRANSLATE_NOOP("TFormatval", "Runtext (Runtext.run)"),
    QT_TRANSLATE_NOOP("TFormatval", "Nationellt fornspråk (Stavbas.nfs)"),
    QT_TRANSLATE_NOOP("TFormatval", "Fornvästnordisk text (Stavbas.fvn)"),
    QT_TRANSLATE_NOOP("TFormatval", "Information om plats mm (Stavbas.inf)"),
    QT_TRANSLATE_NOOP("TFormatval", "Engelsk översättning (Stavbas.eng)"),
};

QIcon Arrow(const char* name) {
  return QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
}

}  // namespace

QString TFormatval::ChoiceText(const std::string& cp1252) {
  const QString text = Q(cp1252);
  for (const char* fixed : kFixedChoices)
    if (text == QString::fromUtf8(fixed)) return QCoreApplication::translate("TFormatval", fixed);
  return text;
}

TFormatval::TFormatval(FormatDialogModel& model, QWidget* parent)
    : StavbasDialog(parent), ui_(std::make_unique<::Ui::TFormatval>()), model_(model) {
  ui_->setupUi(this);
  ui_->valjUt->setIcon(Arrow("go-next"));
  ui_->valjBort->setIcon(Arrow("go-previous"));
  ui_->uppKnapp->setIcon(Arrow("go-up"));
  ui_->nerKnapp->setIcon(Arrow("go-down"));
  ui_->fastDel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ui_->kod->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto add = [this] {
    const QList<std::size_t> positions = Selected(ui_->Vallista);
    model_.Add(std::vector<std::size_t>(positions.begin(), positions.end()));
    SyncChosen(static_cast<int>(model_.chosen().size()) - 1);
  };
  auto remove = [this] {
    const QList<std::size_t> rows = Selected(ui_->Valdlista);
    model_.Remove(std::vector<std::size_t>(rows.begin(), rows.end()));
    SyncChosen(rows.isEmpty() ? -1 : static_cast<int>(rows.front()));
  };
  connect(ui_->valjUt, &QToolButton::clicked, this, add);
  connect(ui_->Vallista, &QListWidget::itemDoubleClicked, this, add);
  connect(ui_->valjBort, &QToolButton::clicked, this, remove);
  connect(ui_->Valdlista, &QListWidget::itemDoubleClicked, this, remove);
  connect(ui_->uppKnapp, &QToolButton::clicked, this, [this] {
    if (ui_->Valdlista->currentRow() >= 0)
      SyncChosen(
          static_cast<int>(model_.MoveUp(static_cast<std::size_t>(ui_->Valdlista->currentRow()))));
  });
  connect(ui_->nerKnapp, &QToolButton::clicked, this, [this] {
    if (ui_->Valdlista->currentRow() >= 0)
      SyncChosen(static_cast<int>(
          model_.MoveDown(static_cast<std::size_t>(ui_->Valdlista->currentRow()))));
  });
  connect(ui_->medRubriker, &QRadioButton::toggled, this, [this](bool on) {
    model_.SetHeadings(on);
    ui_->kod->setText(Q(model_.Preview()));
  });
  connect(ui_->ok, &QPushButton::clicked, this, &TFormatval::Ok);
}

TFormatval::~TFormatval() = default;

QList<std::size_t> TFormatval::Selected(const QListWidget* list) const {
  QList<std::size_t> rows;
  for (const QListWidgetItem* item : list->selectedItems())
    rows << static_cast<std::size_t>(list->row(item));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TFormatval::Sync() {
  choice_.reset();
  const bool exports = model_.exportVariant();
  if (exports) {
    setWindowTitle(Q(model_.caption()));
  } else {
    switch (model_.layout()) {
      case LayoutKind::kText:
        setWindowTitle(QCoreApplication::translate("TFormatval", "Formatval - Textformat"));
        break;
      case LayoutKind::kAttestation:
        setWindowTitle(QCoreApplication::translate("TFormatval", "Formatval - Beläggformat"));
        break;
      case LayoutKind::kSplitAttestation:
        setWindowTitle(QCoreApplication::translate("TFormatval", "Formatval - Delat beläggformat"));
        break;
    }
  }
  ui_->fastDel->setVisible(exports);
  ui_->fastDel->setText(Q(model_.start()));
  ui_->Label2->setText(
      exports ? Q(model_.note())
              : QCoreApplication::translate("TFormatval",
                                            "\"Standardformat\" ger Signum, Runtext, Nationellt "
                                            "fornspråk och Fornvästnordisk text"));
  {
    // Showing the variant's choice is no choice of the user's.
    const QSignalBlocker blockMed(ui_->medRubriker), blockInga(ui_->ingaRubriker);
    (model_.headings() ? ui_->medRubriker : ui_->ingaRubriker)->setChecked(true);
  }
  ui_->rubriker->setEnabled(model_.headingsEnabled());
  ui_->Vallista->clear();
  for (const std::string& c : model_.choices()) ui_->Vallista->addItem(ChoiceText(c));
  SyncChosen(-1);
}

void TFormatval::SyncChosen(int currentRow) {
  ui_->Valdlista->clear();
  for (std::size_t p : model_.chosen()) ui_->Valdlista->addItem(ChoiceText(model_.choices()[p]));
  if (currentRow >= ui_->Valdlista->count()) currentRow = ui_->Valdlista->count() - 1;
  if (currentRow >= 0) ui_->Valdlista->setCurrentRow(currentRow);
  // The code as "OK" would take it, for those who read format codes.
  ui_->kod->setText(Q(model_.Preview()));
}

void TFormatval::Ok() {
  if (model_.exportVariant()) {
    choice_ = model_.ExportOk();
    if (choice_) accept();
  } else if (model_.Ok()) {
    accept();
  }
}

void TFormatval::Retranslate() {
  ui_->retranslateUi(this);
  Sync();
}

}  // namespace stavbas::gui
