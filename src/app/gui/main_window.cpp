#include "app/gui/main_window.h"
#include "app/file_information.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QUrl>
#include <exception>

#include "app/exit_confirmation.h"
#include "app/format_dialog_model.h"
#include "app/gui/about_box.h"
#include "app/gui/exit_dialog.h"
#include "app/gui/file_viewer.h"
#include "app/gui/find_dialog.h"
#include "app/gui/gui_host.h"
#include "app/gui/help_viewer.h"
#include "app/gui/resources.h"
#include "app/gui/text_convert.h"
#include "app/gui/text_edit_window.h"
#include "app/help_map.h"
#include "app/program_folders.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "app/stavbas_app.h"
#include "app/text_saving.h"
#include "base/commands.h"
#include "database/data_file_check.h"
#include "output/window_append.h"
#include "ui_main_window.h"

namespace stavbas::gui {

namespace {

constexpr int kPanelWidths[4] = {300, 130, 130, 150};

// The window's size, place and toolbars are the user's, kept in the user's configuration folder
// (never in the program's settings file, which the user may share between machines).
QSettings WindowSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "stavbas", "window");
}

}  // namespace

std::filesystem::path ProgramPaths::SettingsFile() const {
  return SettingsFileOf(ProgramFile());
}

TForm1::TForm1(const ProgramPaths& paths, QWidget* parent)
    : QMainWindow(parent), paths_(paths), ui_((InitResources(), std::make_unique<::Ui::TForm1>())) {
  ui_->setupUi(this);
  setWindowIcon(QIcon(":/icons/stavbas.svg"));
  output_ = std::make_unique<TextEditWindow>(ui_->RichEdit1->document());
  host_ = std::make_unique<GuiHost>(this, *output_);
  app_ = std::make_unique<StavbasApp>(*host_, *output_, ReadSettings(paths_.SettingsFile()),
                                      paths_.ProgramFile().string());
  // The help pages are the files the program ships and may open.
  app_->ui.opening.NoteShippedFolder((paths_.programFolder / "help").string());
  entryRow_ = std::make_unique<EntryRow>(*app_);
  provinceModel_ = ProvinceDialog(app_->settings.provinces.set);
  formatModel_ = std::make_unique<FormatDialogModel>(*app_);
  saving_ = std::make_unique<TextSaving>(*app_, *output_);
  // The file dialogs start where a user keeps documents, not in the program's data folder.
  lastFolder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (lastFolder_.isEmpty() || !QFileInfo(lastFolder_).isDir()) lastFolder_ = QDir::homePath();
  app_->info.exitConfirmation = [this] { spreadsheetLocked_ = true; };
  app_->builder.codeFieldShows = [this](CodeKind kind) {
    return kind == CodeKind::kWordSearch ? entryRow_->ShowsWordSearchCode()
                                         : entryRow_->ShowsInscriptionCode();
  };
  app_->builder.setCodeField = [this](const std::string& code) {
    entryCombo_->setEditText(Q(code));
  };
  app_->run.recentSignumsChanged = [this] { RebuildRecentSignums(); };
  host_->beforeEvents = [this] {
    QScrollBar* bar = ui_->RichEdit1->verticalScrollBar();
    if (followOutput_ && running_) bar->setValue(bar->maximum());
  };
  connect(ui_->RichEdit1->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
    QScrollBar* bar = ui_->RichEdit1->verticalScrollBar();
    followOutput_ = bar->sliderPosition() >= bar->maximum();
  });

  BuildEntryRow();
  BuildStatusBar();
  BuildCommandTable();
  ConnectCommands();
  for (QMenu* menu : findChildren<QMenu*>()) menu->installEventFilter(this);
  for (QMenu* menu : ui_->menubar->findChildren<QMenu*>())
    for (QAction* a : menu->actions())
      if (!a->shortcut().isEmpty()) mainMenuShortcuts_ << a;

  const QSettings window = WindowSettings();
  if (!restoreGeometry(window.value("geometry").toByteArray())) {
    resize(649, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  restoreState(window.value("state").toByteArray());
  ui_->lowerToolBar->hide();
  entryToolBar_->hide();
  ApplySettings();
}

TForm1::~TForm1() {
  delete helpViewer_;  // a window of its own, so that it stays usable beside the dialogs
}

// ---- building ----

void TForm1::BuildEntryRow() {
  entryCaption_ = new QLabel(this);
  entryCombo_ = new QComboBox(this);
  entryCombo_->setObjectName("entryCombo");
  entryCombo_->setEditable(true);
  entryCombo_->setInsertPolicy(QComboBox::NoInsert);
  entryCombo_->setMaxVisibleItems(18);
  entryCombo_->setMinimumContentsLength(24);
  entryCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  entryCaption_->setBuddy(entryCombo_);
  entryCombo_->installEventFilter(this);
  entryCombo_->lineEdit()->installEventFilter(this);
  sokButton_ = new QToolButton(this);
  sokButton_->setObjectName("sokButton");
  sokButton_->setIcon(QIcon::fromTheme("system-search", QIcon(":/icons/system-search.svg")));
  sokButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  // The entry row has a toolbar line of its own, so that it is never pushed out of sight by
  // the buttons of a narrow window; the line shows only while the row is open.
  entryToolBar_ = new QToolBar(QCoreApplication::translate("TForm1", "Inmatning"), this);
  entryToolBar_->setObjectName("entryToolBar");
  entryToolBar_->setMovable(false);
  addToolBarBreak();
  addToolBar(Qt::TopToolBarArea, entryToolBar_);
  entryCaptionAction_ = entryToolBar_->addWidget(entryCaption_);
  entryComboAction_ = entryToolBar_->addWidget(entryCombo_);
  sokAction_ = entryToolBar_->addWidget(sokButton_);
  entryCombo_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  entryToolBar_->hide();
  connect(entryCombo_->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::EntryEnter);
  connect(sokButton_, &QToolButton::clicked, this, &TForm1::EntryEnter);

  // The lower toolbar's hidden entry field of the selection codes.
  auto* urval = new QLabel(this);
  urval->setObjectName("urvalLabel");
  ui_->lowerToolBar->addWidget(urval);
  auto* urvalEdit = new QLineEdit(this);
  urvalEdit->setObjectName("urvalEdit");
  ui_->lowerToolBar->addWidget(urvalEdit);

  for (const char* name : {"buttonFelrapport", "buttonPaus"})
    if (auto* b = qobject_cast<QToolButton*>(
            ui_->upperToolBar->widgetForAction(findChild<QAction*>(name))))
      b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

  contextFont_ = new QAction(this);
  contextFont_->setObjectName("contextTeckensnitt");
  ui_->RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ui_->RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const bool selected = ui_->RichEdit1->textCursor().hasSelection();
    for (QAction* a : {ui_->actionKlippUt, ui_->actionKopiera, contextFont_})
      a->setEnabled(selected);
    QMenu menu(this);
    menu.addActions({ui_->actionKlippUt, ui_->actionKopiera, contextFont_});
    menu.exec(ui_->RichEdit1->viewport()->mapToGlobal(pos));
    UpdateEditCommands();
  });
}

void TForm1::BuildStatusBar() {
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("statusPanel%1").arg(i));
    label->setMinimumWidth(i == 0 ? 120 : kPanelWidths[i]);
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    host_->panels[i] = label;
    if (i == 0)
      statusBar()->addWidget(label, 1);  // hints of commands show over it
    else
      statusBar()->addPermanentWidget(label);
  }
  provinceLabel_ = new QLabel(this);
  provinceLabel_->setObjectName("Landskapsurval");
  provinceLabel_->hide();
  host_->provinceLabel = provinceLabel_;
  RetranslateDynamic();
}

void TForm1::BuildCommandTable() {
  using namespace command;
  auto& t = host_->commands;
  auto action = [this](const char* name) { return findChild<QAction*>(name); };
  t[std::string(kSkapaUrvalsfil)] = {ui_->actionSkapaUrvalsfil, {}};
  t[std::string(kSkapaShapeFil)] = {ui_->actionSkapaShape, {}};
  t[std::string(kSkapaCsvFil)] = {ui_->actionSkapaCsv, {}};
  t[std::string(kRunMenu)] = {nullptr, [this](bool on) { SetRunMenu(on); }};
  t[std::string(kNasta)] = {ui_->actionNasta, {}};
  t[std::string(kResten)] = {ui_->actionResten, {}};
  t[std::string(kInskriftsinfo)] = {ui_->actionRunInskriftsinfo, {}};
  t[std::string(kEngelskOversattning)] = {ui_->actionRunEngelsk, {}};
  t[std::string(kVisaPaKarta)] = {ui_->actionRunKarta, {}};
  t[std::string(kInskriftsbibliografi)] = {ui_->actionRunBibliografi, {}};
  t[std::string(kFortsatt)] = {ui_->actionFortsatt, {}};
  t[std::string(kButtonLasFil)] = {action("buttonLasFil"), {}};
  t[std::string(kButtonSpara)] = {action("buttonSpara"), {}};
  t[std::string(kButtonSkrivUt)] = {action("buttonSkrivUt"), {}};
  t[std::string(kButtonSignum)] = {action("buttonSignum"), {}};
  t[std::string(kButtonAlla)] = {action("buttonAlla"), {}};
  t[std::string(kButtonInfo)] = {action("buttonInfo"), {}};
  t[std::string(kButtonEngelsk)] = {action("buttonEngelsk"), {}};
  t[std::string(kButtonKarta)] = {action("buttonKarta"), {}};
  t[std::string(kButtonLitteratur)] = {action("buttonLitteratur"), {}};
  t[std::string(kButtonFelrapport)] = {action("buttonFelrapport"), {}};
  QAction* paus = action("buttonPaus");
  t[std::string(kButtonPaus)] = {paus, [paus](bool shown) { paus->setVisible(shown); }};
  t[std::string(kBusyCursor)] = {nullptr, [this](bool on) { host_->SetBusyCursor(on); }};
  t[std::string(kEntryRow)] = {nullptr, [this](bool on) {
                                 if (!on) HideEntryRow();
                               }};
  host_->unknownCommand = [](std::string_view name) {
    qWarning("Stavbas: no window command for \"%.*s\"", static_cast<int>(name.size()), name.data());
  };
}

void TForm1::On(QAction* action, const std::function<void()>& command) {
  connect(action, &QAction::triggered, this, [this, command] { Command(command); });
}

void TForm1::ConnectCommands() {
  auto& u = *ui_;
  auto button = [this](const char* name) { return findChild<QAction*>(name); };
  StavbasApp& a = *app_;

  // Inskrift
  On(u.actionSignum, [this] { OpenEntryRow(EntryPurpose::kSignum); });
  On(button("buttonSignum"), [this] { OpenEntryRow(EntryPurpose::kSignum); });
  On(u.actionAlla, [this] { Run([this] { app_->run.AllRun(); }); });
  On(button("buttonAlla"), [this] { Run([this] { app_->run.AllRun(); }); });
  On(u.actionAllaFran, [this] { OpenEntryRow(EntryPurpose::kFirstSignum); });
  On(u.actionLasUrvalsfil, [this] { ReadSelectionFile(); });
  On(button("buttonLasFil"), [this] { ReadSelectionFile(); });
  On(u.actionFortsatt, [this] { Run([this] { app_->run.Continue(); }); });
  On(u.actionAvsluta, [this] {
    app_->output.stepFlag = true;
    close();
  });
  // Redigera
  On(u.actionKlippUt, [this] { CutSelection(); });
  On(u.actionKopiera, [this] { ui_->RichEdit1->copy(); });
  On(u.actionRaderaAllt, [this] { ClearOutputWindow(*output_); });
  On(u.actionMarkeraAllt, [this] { ui_->RichEdit1->selectAll(); });
  On(u.actionSok, [this] {
    if (!findDialog_) {
      findDialog_ = new FindDialog(this);
      connect(findDialog_, &FindDialog::findNext, this,
              [this] { Command([this] { FindNext(); }); });
      connect(findDialog_, &FindDialog::helpRequested, this, &TForm1::ShowHelp);
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
  });
  On(u.actionTeckensnitt, [this] { ChooseFont(true); });
  On(contextFont_, [this] { ChooseFont(false); });
  connect(u.menuRedigera, &QMenu::aboutToShow, this, &TForm1::UpdateEditCommands);
  connect(u.RichEdit1, &QPlainTextEdit::selectionChanged, this, &TForm1::UpdateEditCommands);
  connect(u.RichEdit1->document(), &QTextDocument::blockCountChanged, this,
          &TForm1::UpdateEditCommands);
  // Sök i text
  for (auto [action, replace, none] : {std::tuple{u.actionNyBaraEgennamn, true, false},
                                       {u.actionNyIngaEgennamn, true, true},
                                       {u.actionYtterligareBaraEgennamn, false, false},
                                       {u.actionYtterligareIngaEgennamn, false, true}})
    On(action, [this, replace = replace, none = none] {
      app_->builder.FixaVillkorsstrang(none ? "-NFS:" : "NFS:", "\"", replace);
    });
  On(u.actionTagBortSokvillkor, [&a] { a.builder.RemoveWordSearch(); });
  On(u.actionTextsokningskod, [this] { OpenEntryRow(EntryPurpose::kWordSearchCode); });
  // Urval
  On(u.actionTagBortInskriftsvillkor, [&a] { a.builder.RemoveInscriptionCondition(); });
  On(u.actionInskriftsvillkorskod, [this] { OpenEntryRow(EntryPurpose::kInscriptionCode); });
  // Format
  On(u.actionFormatkod, [this] { OpenEntryRow(EntryPurpose::kFormatCode); });
  // Inställningar
  On(u.actionDatafiler, [this] { ChooseDatabase(); });
  connect(u.actionPauser, &QAction::toggled, this, [this](bool on) {
    app_->settings.consts.paus = on;
    if (!running_) app_->run.pauseSetting = on;  // a run reads it back when it ends
  });
  connect(u.actionKommentera, &QAction::toggled, this,
          [this](bool on) { app_->settings.consts.comment = on; });
  On(u.actionTabbMellanKoordinater, [this] {
    ToggleTabBetweenCoordinates(app_->settings.links);
    ui_->actionTabbMellanKoordinater->setChecked(TabBetweenCoordinates(app_->settings.links));
  });
  // Diverse
  On(u.actionSvenska, [this] { SwitchLanguage(Language::Swedish); });
  On(u.actionEngelska, [this] { SwitchLanguage(Language::English); });
  On(u.actionKontrolleraFiler, [this] {
    host_->SetBusyCursor(true);
    CheckDataFiles(app_->db, true);
    host_->SetBusyCursor(false);
  });
  // Rensa
  On(u.actionRensaTextfonster, [this] { ClearOutputWindow(*output_); });
  On(u.actionRensaVillkor, [this] { app_->builder.ClearAll(&provinceModel_); });
  // Hjälp
  On(u.actionStavbashjalp, [this] { ShowHelp(FocusedHelpContext()); });
  On(u.actionOm, [this] { ShowAbout(); });
  // The run menu
  On(u.actionNasta, [&a] { a.run.Nasta(); });
  On(u.actionResten, [&a] { a.run.Resten(); });
  On(u.actionAvbryt, [&a] { a.run.Avbryt(); });
  On(u.actionRunHjalp, [this] { ShowHelp(1); });
  On(button("buttonPaus"), [&a] { a.run.PausButton(); });
  // The output window
  connect(u.RichEdit1, &OutputTextEdit::enterPressed, this, [this] {
    if (running_) Command([this] { app_->run.EnterInOutput(); });
  });
  connect(u.RichEdit1, &OutputTextEdit::escapePressed, this, [this] {
    if (running_) Command([this] { app_->run.EscapeInOutput(); });
  });
  connect(u.RichEdit1, &OutputTextEdit::linkActivated, this,
          [this](const QString& address) { app_->ui.OpenWithDesktop(W(address)); });

  ConnectConditionCommands();
  ConnectExportCommands();
  ConnectFileCommands();

  auto* languages = new QActionGroup(this);
  languages->addAction(u.actionSvenska);
  languages->addAction(u.actionEngelska);
}

void TForm1::ApplySettings() {
  Settings& s = app_->settings;
  ui_->actionPauser->setChecked(s.consts.paus);
  ui_->actionKommentera->setChecked(s.consts.comment);
  ui_->actionTabbMellanKoordinater->setChecked(TabBetweenCoordinates(s.links));
  ui_->actionFortsatt->setEnabled(s.interruption.present);
  output_->defaultStyle.font = s.font.name;
  output_->defaultStyle.size = s.font.size;
  app_->output.fontName = s.font.name;
  QFont font(Q(s.font.name), s.font.size);
  ui_->RichEdit1->document()->setDefaultFont(font);
  ui_->RichEdit1->setFont(font);
  RebuildWebLinks();
  InstallQtTexts(Language::Swedish);
  if (s.language == Language::English) SwitchLanguage(Language::English);
}

// ---- running commands ----

void TForm1::Command(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    app_->ui.ShowProgramFault(std::string(" (") + e.what() + ")");
  } catch (...) {
    app_->ui.ShowProgramFault();
  }
  host_->CheckWaits();
}

void TForm1::Run(const std::function<void()>& run) {
  if (running_) return;
  if (!app_->db.usable()) {
    // Without a usable database (the user declined to choose another at start) nothing runs.
    app_->ui.ShowMessage(app_->ui.S(Str::IngenFullstandigOrdfil) + ": " + app_->session.baseName,
                         MsgKind::Information);
    return;
  }
  running_ = true;
  followOutput_ = true;
  host_->ResetGap();
  try {
    run();
  } catch (...) {
    running_ = false;
    host_->SetBusyCursor(false);
    throw;
  }
  if (host_->beforeEvents) host_->beforeEvents();  // the end of the run and its counts line
  running_ = false;
  host_->SetBusyCursor(false);
  if (pendingExit_) {
    pendingExit_ = false;
    close();
  }
}

void TForm1::SetRunMenu(bool on) {
  for (QMenu* menu :
       {ui_->menuInskrift, ui_->menuRedigera, ui_->menuSokIText, ui_->menuUrval, ui_->menuFormat,
        ui_->menuSpara, ui_->menuInstallningar, ui_->menuDiverse, ui_->menuRensa, ui_->menuHjalp})
    menu->menuAction()->setVisible(!on);
  for (QAction* a :
       {ui_->actionNasta, ui_->actionResten, ui_->actionRunInskriftsinfo, ui_->actionRunEngelsk,
        ui_->actionRunKarta, ui_->actionRunBibliografi, ui_->actionAvbryt})
    a->setVisible(on);
  ui_->actionRunHjalp->setEnabled(on);
  ui_->actionRunLitteraturlista->setEnabled(on);
  // The main menu's keys stay quiet while the run menu, which has the same function keys, is in
  // place; hidden menus would otherwise still answer them.
  for (QAction* a : mainMenuShortcuts_) {
    if (on) {
      if (!a->shortcut().isEmpty()) a->setProperty("normalShortcut", a->shortcut());
      a->setShortcut({});
    } else if (a->property("normalShortcut").isValid()) {
      a->setShortcut(a->property("normalShortcut").value<QKeySequence>());
    }
  }
}

// ---- the entry row ----

void TForm1::OpenEntryRow(EntryPurpose purpose) {
  const EntryRow::View view = entryRow_->Open(purpose, entryCombo_->count());
  if (!view.entries.empty()) {
    entryCombo_->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(view.entries.size()));
    for (const std::string& e : view.entries) items << Q(e);
    entryCombo_->addItems(items);
  }
  entryCombo_->setEditText(Q(view.text));
  RetranslateDynamic();
  sokAction_->setVisible(view.searchButton);
  entryToolBar_->show();
  entryCombo_->setFocus();
  entryCombo_->lineEdit()->selectAll();
}

void TForm1::HideEntryRow() {
  entryRow_->Close();
  entryToolBar_->hide();
}

void TForm1::EntryEnter() {
  if (!entryRow_->isOpen()) return;
  std::string text = W(entryCombo_->currentText());
  const EntryPurpose purpose = entryRow_->purpose();
  bool done = true;
  if (purpose == EntryPurpose::kSignum || purpose == EntryPurpose::kFirstSignum) {
    Command([&] { Run([&] { done = entryRow_->Enter(text); }); });
    return;
  }
  Command([&] { done = entryRow_->Enter(text); });
  if (done) {
    HideEntryRow();
  } else {
    entryCombo_->setEditText(Q(text));
    entryCombo_->setFocus();
    entryCombo_->lineEdit()->selectAll();
  }
}

// ---- editing and finding ----

void TForm1::UpdateEditCommands() {
  const bool selected = ui_->RichEdit1->textCursor().hasSelection();
  const bool lines = !ui_->RichEdit1->document()->isEmpty();
  ui_->actionKlippUt->setEnabled(selected);
  ui_->actionKopiera->setEnabled(selected);
  ui_->actionTeckensnitt->setEnabled(selected);
  ui_->actionRaderaAllt->setEnabled(lines);
  ui_->actionMarkeraAllt->setEnabled(lines);
  ui_->actionSok->setEnabled(lines);
}

void TForm1::CutSelection() {
  OutputTextEdit* edit = ui_->RichEdit1;
  if (!edit->textCursor().hasSelection()) return;
  const Qt::TextInteractionFlags flags = edit->textInteractionFlags();
  edit->setReadOnly(false);
  edit->cut();
  edit->setReadOnly(true);
  edit->setTextInteractionFlags(flags);
}

void TForm1::ChooseFont(bool forNewOutput) {
  QTextCursor cursor = ui_->RichEdit1->textCursor();
  QFont start = cursor.charFormat().font();
  if (!cursor.hasSelection()) start = QFont(Q(app_->output.fontName), output_->defaultStyle.size);
  bool ok = false;
  const QFont chosen =
      QFontDialog::getFont(&ok, start, this, QCoreApplication::translate("TForm1", "Teckensnitt"));
  if (!ok) return;
  if (cursor.hasSelection()) {
    QTextCharFormat f;
    f.setFontFamilies({chosen.family()});
    f.setFontPointSize(chosen.pointSizeF() > 0 ? chosen.pointSizeF() : 10);
    f.setFontWeight(chosen.bold() ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chosen.italic());
    f.setFontUnderline(chosen.underline());
    cursor.mergeCharFormat(f);
  }
  if (forNewOutput) app_->output.fontName = W(chosen.family());
}

void TForm1::FindNext() {
  if (!findDialog_ || findDialog_->text().isEmpty()) return;
  if (FindNextIn(ui_->RichEdit1, *findDialog_)) return;
  app_->ui.ShowMessage(app_->ui.S(Str::HittarInte) + "\"" + W(findDialog_->text()) + "\"",
                       MsgKind::Information);
}

// ---- menus that change with the session ----

void TForm1::RebuildRecentSignums() {
  for (QAction* a : recentActions_) {
    ui_->menuInskrift->removeAction(a);
    a->deleteLater();
  }
  recentActions_.clear();
  for (const std::string& signum : app_->run.recentSignums) {
    const QString caption = Q(signum);
    auto* a = new QAction(QString(caption).replace('&', "&&"), this);
    a->setStatusTip(QCoreApplication::translate("TForm1", "Senaste signumen"));
    a->setProperty("helpContext", 12);
    connect(a, &QAction::triggered, this,
            [this, signum] { Command([&] { Run([&] { app_->run.SignumRun(signum); }); }); });
    ui_->menuInskrift->addAction(a);
    recentActions_ << a;
  }
}

void TForm1::RebuildWebLinks() {
  ui_->menuWebblankar->clear();
  for (const WebLink& link : app_->settings.webLinks) {
    QAction* a = ui_->menuWebblankar->addAction(Q(link.caption));
    a->setStatusTip(Q(link.address));
    const std::string address = link.address;
    connect(a, &QAction::triggered, this,
            [this, address] { app_->addresses.OpenWebLink(address); });
  }
  ui_->menuWebblankar->setEnabled(!app_->settings.webLinks.empty());
}

// ---- language ----

void TForm1::SwitchLanguage(Language language) {
  if (language == language_) {
    (language == Language::English ? ui_->actionEngelska : ui_->actionSvenska)->setChecked(true);
    return;
  }
  auto translator = std::make_unique<QTranslator>();
  bool loaded = false;
  for (const auto& module : LanguageModuleCandidates(paths_.programFolder / "stavbas", language))
    if ((loaded = translator->load(QString::fromStdString(module.string())))) break;
  if (!loaded) {
    // Nothing changes: the tick stays on the language in force.
    (language_ == Language::English ? ui_->actionEngelska : ui_->actionSvenska)->setChecked(true);
    return;
  }
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
  translator_ = std::move(translator);
  language_ = language;
  app_->settings.language = language;
  app_->ui.SetStrings(StringTable::ForLanguage(language == Language::English));
  // Every open window retranslates itself on the language change event; the states, ticks,
  // dynamic items, the output window and its font are left as they are.
  QCoreApplication::installTranslator(translator_.get());
  InstallQtTexts(language);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  formatModel_->ClearChosen();
  (language == Language::English ? ui_->actionEngelska : ui_->actionSvenska)->setChecked(true);
  ShowCodesInStatusBar(*app_);
  if (helpViewer_ && helpViewer_->isVisible()) ShowHelp(0);
}

void TForm1::InstallQtTexts(Language language) {
  // The file, font and input dialogs speak the program's language where Qt has the texts.
  if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
  qtTranslator_ = std::make_unique<QTranslator>();
  // Some distributions ship Qt's Swedish texts as the one catalogue "qt_sv" only.
  const QString language2 = language == Language::English ? "en" : "sv";
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (qtTranslator_->load("qtbase_" + language2, folder) ||
      qtTranslator_->load("qt_" + language2, folder))
    QCoreApplication::installTranslator(qtTranslator_.get());
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    // retranslateUi also sets the captions the run changes (the pause button's); keep them.
    QAction* paus = findChild<QAction*>("buttonPaus");
    const QString pausText = paus->text(), pausTip = paus->statusTip();
    const bool pausChanged = pausText != QCoreApplication::translate("TForm1", "Paus");
    ui_->retranslateUi(this);
    // retranslateUi gives the main menus their keys back; the run menu in place keeps them.
    if (ui_->actionNasta->isVisible()) SetRunMenu(true);
    if (pausChanged && running_) {
      paus->setText(pausText);
      paus->setStatusTip(pausTip);
    }
    RetranslateDynamic();
  }
  QMainWindow::changeEvent(event);
}

void TForm1::RetranslateDynamic() {
  contextFont_->setText(QCoreApplication::translate("TForm1", "T&eckensnitt..."));
  contextFont_->setStatusTip(
      QCoreApplication::translate("TForm1", "Ändrar teckensnitt i markerad text"));
  sokButton_->setText(QCoreApplication::translate("TForm1", "Sö&k"));
  if (auto* urval = findChild<QLabel*>("urvalLabel"))
    urval->setText(QCoreApplication::translate("TForm1", "Urval:"));
  if (auto* edit = findChild<QLineEdit*>("urvalEdit"))
    edit->setStatusTip(QCoreApplication::translate("TForm1", "Ange koder för urval"));
  provinceLabel_->setText(host_->panels[3] ? host_->panels[3]->text() : QString());
  provinceLabel_->setStatusTip(
      QCoreApplication::translate("TForm1", "Här visas aktuellt landskapsurval"));
  for (QAction* a : recentActions_)
    a->setStatusTip(QCoreApplication::translate("TForm1", "Senaste signumen"));
  QString caption, hint;
  int context = 12;
  switch (entryRow_ ? entryRow_->purpose() : EntryPurpose::kSignum) {
    case EntryPurpose::kSignum:
      caption = QCoreApplication::translate("TForm1", "Signum:"),
      hint = QCoreApplication::translate("TForm1", "Ange signum");
      break;
    case EntryPurpose::kFirstSignum:
      caption = QCoreApplication::translate("TForm1", "Första signum:"),
      hint = QCoreApplication::translate("TForm1", "Ange signum som Du vill börja med");
      break;
    case EntryPurpose::kFormatCode:
      caption = QCoreApplication::translate("TForm1", "Formatkod: "),
      hint = QCoreApplication::translate("TForm1", "Ange formatkod"), context = 6;
      break;
    case EntryPurpose::kInscriptionCode:
      caption = QCoreApplication::translate("TForm1", "Inskriftsvillkorskod:"),
      hint = QCoreApplication::translate("TForm1", "Ange inskriftsvillkorskod"), context = 5;
      break;
    case EntryPurpose::kWordSearchCode:
      caption = QCoreApplication::translate("TForm1", "Ordsökningskod:"),
      hint = QCoreApplication::translate("TForm1", "Ange ordsökningskod"), context = 40;
      break;
  }
  entryCaption_->setText(caption);
  entryCombo_->setStatusTip(hint);
  entryCombo_->setToolTip(hint);
  entryCombo_->setProperty("helpContext", context);
  entryCombo_->setAccessibleName(caption);
}

// ---- help and about ----

HelpViewer* TForm1::helpViewer() const {
  return helpViewer_;
}

int TForm1::FocusedHelpContext() const {
  const QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : focusWidget();
  for (const QWidget* w = focus; w; w = w->parentWidget())
    if (const QVariant c = w->property("helpContext"); c.isValid()) return c.toInt();
  return 0;
}

void TForm1::ShowHelp(int context) {
  const std::filesystem::path folder = HelpFolderOf(paths_.programFolder, language_);
  HelpMap map;
  map.Load(paths_.programFolder / "help" / "contexts.map");
  const std::filesystem::path contents = folder / HelpMap::kContents;
  std::filesystem::path page = folder / (context > 0 ? map.PageFor(context) : HelpMap::kContents);
  if (!std::filesystem::exists(page)) page = contents;
  if (!std::filesystem::exists(page)) {
    QMessageBox::information(this, windowTitle(),
                             QCoreApplication::translate("TForm1", "Hjälpsidorna finns inte: %1")
                                 .arg(QString::fromStdString(folder.string())));
    return;
  }
  if (!helpViewer_) {
    helpViewer_ = new HelpViewer;
    // A link in a help page leads to another help page, or goes to the desktop as any other
    // address does: only where the opening rule allows.
    helpViewer_->followLink = [this](const std::string& target) {
      const Opening opening = JudgeOpening(target, app_->ui.opening);
      if (opening.kind == OpeningKind::LocalFile && HelpPage(opening.target)) return opening.target;
      app_->ui.OpenWithDesktop(target);
      return std::string();
    };
  }
  helpViewer_->ShowPage(QUrl::fromLocalFile(QString::fromStdString(page.string())),
                        QUrl::fromLocalFile(QString::fromStdString(contents.string())));
}

void TForm1::ShowAbout() {
  TOmStavbas about(this);
  QString dateLine;
  for (int slot = 1; slot <= app_->db.count(); ++slot) {
    const auto& file = app_->db.DataFile(slot);
    if (file.title == "Runtext")
      dateLine = QCoreApplication::translate("TForm1", "Datum för Runtextfilen: ") +
                 Q(DosStampText(file.dateTime).substr(0, 10));  // the date alone
  }
  about.SetDetails(dateLine, Q(app_->settings.links.newVersion));
  connect(&about, &TOmStavbas::newVersionRequested, this,
          [this] { app_->ui.OpenWithDesktop(app_->settings.links.newVersion); });
  about.exec();
}

// ---- files ----

void TForm1::ReadSelectionFile() {
  HideEntryRow();
  const QString file = QFileDialog::getOpenFileName(
      this, QCoreApplication::translate("TForm1", "Ange fil som Du vill öppna"), lastFolder_,
      QCoreApplication::translate("TForm1", "Alla filer (*)"));
  if (file.isEmpty()) return;
  lastFolder_ = QFileInfo(file).absolutePath();
  Run([&] { app_->run.FileRun(W(file)); });
}

void TForm1::ChooseDatabase() {
  app_->session.ChooseDatabase(true);
  ShowCodesInStatusBar(*app_);
  app_->builder.UpdateExportCommands();
  if (app_->spreadsheetLocked()) EndAfterLockedSpreadsheet();
}

// ---- start and exit ----

bool TForm1::StartUp() {
  host_->SetBusyCursor(true);
  const StartResult result = stavbas::StartUp(*app_);
  host_->SetBusyCursor(false);
  if (result == StartResult::kSpreadsheetLocked || spreadsheetLocked_) {
    EndAfterLockedSpreadsheet();
    return false;
  }
  // The commands that need a selection: stored codes may have made one.
  app_->builder.UpdateExportCommands();
  return true;
}

void TForm1::EndAfterLockedSpreadsheet() {
  AskToExit(false);
  closeConfirmed_ = true;
  close();
}

void TForm1::StoreWindowSettings() {
  const QTextCharFormat f = ui_->RichEdit1->textCursor().charFormat();
  const TextStyle style = TextEditWindow::StyleOf(f, output_->defaultStyle);
  app_->settings.font.name = style.font;
  app_->settings.font.size = style.size;
  app_->settings.language = language_;
}

bool TForm1::AskToExit(bool mayStay) {
  TAvslutaStavbas dialog(this);
  dialog.Open(OpenExitChoices(output_->Length(), mayStay));
  const bool yes = dialog.exec() == QDialog::Accepted;
  if (!yes && mayStay) return false;
  const ExitChoices choices = dialog.Choices();
  return ConfirmExit(
      choices, [this] { return SaveText(); },
      [this](SaveChoice choice) {
        StoreWindowSettings();
        return SaveSettingsAtExit(*app_, choice, paths_.SettingsFile());
      });
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!closeConfirmed_) {
    event->ignore();
    if (running_) {
      // The run ends first and records where it stopped; the exit dialog follows when it has
      // unwound (Run), so "Spara allt" saves the interruption.
      app_->output.stepFlag = true;
      app_->run.brokenFlag = true;
      app_->ui.endOfData = true;
      if (app_->run.runMenu) app_->run.Avbryt();
      pendingExit_ = true;
      host_->CheckWaits();
      return;
    }
    if (!AskToExit(true)) return;
    closeConfirmed_ = true;
  }
  QSettings window = WindowSettings();
  window.setValue("geometry", saveGeometry());
  window.setValue("state", saveState());
  if (helpViewer_) helpViewer_->close();
  if (findDialog_) findDialog_->close();
  if (viewer_) viewer_->close();
  event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (auto* menu = qobject_cast<QMenu*>(watched); menu && key->key() == Qt::Key_F1) {
    // F1 on a menu entry opens the help at that entry's context.
    const QAction* active = menu->activeAction();
    const int context = active ? active->property("helpContext").toInt() : 0;
    for (QWidget* w = menu; w; w = qobject_cast<QMenu*>(w->parentWidget())) w->close();
    ShowHelp(context > 0 ? context : menu->property("helpContext").toInt());
    return true;
  }
  if (watched == entryCombo_ || watched == entryCombo_->lineEdit()) {
    // Any key in the entry row steps a paused run; Escape also stops it.
    app_->output.stepFlag = true;
    if (key->key() == Qt::Key_Escape) {
      app_->run.abortFlag = true;
      app_->run.brokenFlag = true;
      if (!running_) HideEntryRow();
    }
    host_->CheckWaits();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace stavbas::gui
