#pragma once
// The main window TForm1: the menus, toolbars, entry row, output window and status bar, and the
// commands they carry. The rules behind the commands are the core's (StavbasApp and the models in
// src/app); this class shows their state and passes the user's commands down.

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/entry_row.h"
#include "app/information_display.h"
#include "app/settings.h"
#include "conditions/province_dialog.h"
#include "export/export_run.h"
#include "output/format_code.h"

class QComboBox;
class QLabel;
class QPrinter;
class QToolBar;
class QToolButton;
class QTranslator;

namespace Ui {
class TForm1;
}

namespace stavbas {
class FormatDialogModel;
class StavbasApp;
class TextSaving;
struct ConditionEntry;
}  // namespace stavbas

namespace stavbas::gui {

class ConditionEntryDialog;
class FindDialog;
class GuiHost;
class HelpViewer;
class TextEditWindow;
class TFormatval;
class TGetCounty;
class TKartVal;
class TKoordVal;
class TKoordValomnuv;
class TMyInputBox;
class TMySelectBox;
class TOverWrite;
class TVisaFiler;

// Where the window program finds its files (see app/program_folders.h).
struct ProgramPaths {
  std::filesystem::path programFolder;  // language modules and help pages
  std::filesystem::path workFolder;     // database and settings file
  // The program file as the core sees it: its folder is where the database is looked for when
  // the base name has no folder, its name with ".ini" is the settings file.
  std::filesystem::path ProgramFile() const { return workFolder / "stavbas"; }
  std::filesystem::path SettingsFile() const;
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(const ProgramPaths& paths, QWidget* parent = nullptr);
  ~TForm1() override;

  // Start-up once the window is shown: the settings put in force, the database opened and the
  // stored codes parsed. False when the program is to end at once.
  bool StartUp();

  StavbasApp& app() { return *app_; }
  GuiHost& host() { return *host_; }
  TextEditWindow& output() { return *output_; }
  Language language() const { return language_; }
  const ProgramPaths& paths() const { return paths_; }
  bool runActive() const { return running_; }

  // "&Svenska" and "&Engelska": loads the language's module and retranslates every window;
  // nothing happens when the language is already in force or its module does not load.
  void SwitchLanguage(Language language);
  // Opens the help pages at a context's page (0: the contents).
  void ShowHelp(int context);
  // The help context of what has the keyboard focus, or 0.
  int FocusedHelpContext() const;
  HelpViewer* helpViewer() const;
  TVisaFiler* fileViewer() const;

  // The output window on a printer with the page margins of 0.75 inch; only the selection
  // when `selection` (what "Skriv ut" does once the print dialog is confirmed).
  void PrintOutput(QPrinter& printer, bool selection);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildEntryRow();
  void BuildStatusBar();
  void BuildCommandTable();
  void ConnectCommands();
  void ApplySettings();
  void RetranslateDynamic();
  void InstallQtTexts(Language language);

  // Runs a command, showing anything it throws instead of letting it reach the event loop, and
  // leaves the nested waits whose condition it fulfilled.
  void Command(const std::function<void()>& command);
  // A display run; a second one cannot start while one is on. A close asked for during the run
  // is carried out when it has ended.
  void Run(const std::function<void()>& run);
  void On(QAction* action, const std::function<void()>& command);
  // A run of a command that works on the current inscription: inside a paused run it runs at
  // once (the caller keeps the paused run's state), otherwise as a run of its own.
  void RunNested(const std::function<void()>& run);
  // The dialogs, made once and kept with what the user left in them.
  template <typename T, typename... Args>
  T* Dialog(QPointer<T>& dialog, Args&... args);

  void SetRunMenu(bool on);
  void OpenEntryRow(EntryPurpose purpose);
  void HideEntryRow();
  void EntryEnter();
  void UpdateEditCommands();
  void RebuildRecentSignums();
  void RebuildWebLinks();
  void CutSelection();
  void ChooseFont(bool forNewOutput);
  void FindNext();
  void ShowAbout();
  void ReadSelectionFile();
  void ChooseDatabase();

  // "Urval", "Sök i text" and "Format" (main_window_conditions.cpp).
  void ConnectConditionCommands();
  void ChooseProvinces();
  void ConditionEntryCommand(QAction* action, const std::string& name, bool wordSearch,
                             bool further);
  void FormatCommand(LayoutKind kind);

  // "Spara": the exports and the selection file; the map, bibliography and error report
  // (main_window_exports.cpp).
  void ConnectExportCommands();
  void Export(ExportKind kind);
  void ExportPlanned(ExportPlan plan, ExportAnswers answers);
  void SelectionFile();
  void MapCommand(bool fromRunMenu);
  void ErrorReport();
  std::string AskExportFile(const std::string& filter, const std::string& extension);

  // Information, the file viewer, saving and printing (main_window_files.cpp).
  void ConnectFileCommands();
  void Information(InformationKind kind);
  TVisaFiler* Viewer();
  void FileInformation();
  void ShowFile(const std::string& path);
  void ViewFile();
  bool SaveText();
  bool SaveTextAs();
  bool AskOverwrite();
  bool WriteText();
  void Print();
  // The exit dialog; true when the program may end.
  bool AskToExit(bool mayStay);
  void StoreWindowSettings();
  void EndAfterLockedSpreadsheet();

  ProgramPaths paths_;
  std::unique_ptr<::Ui::TForm1> ui_;
  std::unique_ptr<TextEditWindow> output_;
  std::unique_ptr<GuiHost> host_;
  std::unique_ptr<StavbasApp> app_;
  std::unique_ptr<EntryRow> entryRow_;
  ProvinceDialog provinceModel_;
  std::unique_ptr<FormatDialogModel> formatModel_;
  std::unique_ptr<TextSaving> saving_;

  QLabel* entryCaption_ = nullptr;
  QComboBox* entryCombo_ = nullptr;
  QToolButton* sokButton_ = nullptr;
  QToolBar* entryToolBar_ = nullptr;
  QAction* entryCaptionAction_ = nullptr;
  QAction* entryComboAction_ = nullptr;
  QAction* sokAction_ = nullptr;
  QLabel* provinceLabel_ = nullptr;
  QAction* contextFont_ = nullptr;
  QList<QAction*> recentActions_;
  QList<QAction*> mainMenuShortcuts_;
  QPointer<FindDialog> findDialog_;
  QPointer<HelpViewer> helpViewer_;
  QPointer<TGetCounty> provinceDialog_;
  QPointer<TMyInputBox> inputBox_;
  QPointer<TMySelectBox> selectBox_;
  QPointer<TFormatval> formatDialog_;
  QPointer<TKoordVal> placeDialog_;
  QPointer<TKoordValomnuv> coordinateDialog_;
  QPointer<TKartVal> mapKindDialog_;
  QPointer<TOverWrite> overwriteDialog_;
  QPointer<TVisaFiler> viewer_;
  QString lastFolder_;  // where the file dialogs open
  std::unique_ptr<QTranslator> translator_;
  std::unique_ptr<QTranslator> qtTranslator_;  // Qt's own texts of its standard dialogs

  Language language_ = Language::Swedish;
  bool running_ = false;
  bool pendingExit_ = false;
  bool closeConfirmed_ = false;
  bool spreadsheetLocked_ = false;
  // During a run the view follows the text being written, until the user scrolls away from
  // the end; scrolling back to the end follows again.
  bool followOutput_ = true;
};

template <typename T, typename... Args>
T* TForm1::Dialog(QPointer<T>& dialog, Args&... args) {
  if (!dialog) {
    dialog = new T(args..., this);
    connect(dialog, &T::helpRequested, this, &TForm1::ShowHelp);
  }
  return dialog;
}

}  // namespace stavbas::gui
