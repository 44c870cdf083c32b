// stavbas: the window program. Starts on the database beside the program (or, for a
// system-wide installation, on the user's copy of it) and runs until the user leaves through
// the exit dialog.

#include <unistd.h>

#include <QApplication>
#include <QStandardPaths>
#include <filesystem>

#include "app/gui/about_box.h"
#include "app/gui/help_viewer.h"
#include "app/gui/main_window.h"
#include "app/program_folders.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("stavbas");
  QApplication::setDesktopFileName("org.stavbas.Stavbas");

  stavbas::gui::ProgramPaths paths;
  paths.programFolder = QApplication::applicationDirPath().toStdString();
  const std::filesystem::path userFolder =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
  paths.workFolder = stavbas::ChooseWorkFolder(paths.programFolder, userFolder);
  // Relative names (the base name of the database among them) start in the work folder.
  if (chdir(paths.workFolder.c_str()) != 0) paths.workFolder = std::filesystem::current_path();

  auto* splash = new stavbas::gui::TOmStavbas;
  splash->ShowAsSplash(3000);
  QApplication::processEvents();

  stavbas::gui::TForm1 window(paths);
  window.show();
  splash->raise();
  QApplication::processEvents();
  if (!window.StartUp()) return 0;
  return QApplication::exec();
}
