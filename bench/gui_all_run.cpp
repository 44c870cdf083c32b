// Times an "Alla" run without pauses in the window program (offscreen platform): the whole run,
// and the longest time the event loop went unserved while it ran.
// Usage: bench_gui_all_run DATABASE_BASE [REPEATS]

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "app/gui/gui_host.h"
#include "app/gui/main_window.h"
#include "app/gui/text_edit_window.h"
#include "app/stavbas_app.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_gui_all_run DATABASE_BASE [REPEATS]\n");
    return 2;
  }
  const std::string base = std::filesystem::absolute(argv[1]).string();
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  QTemporaryDir work;
  QFile ini(work.filePath("stavbas.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return 2;
  ini.write(("[Database]\r\nDataFileName=" + base + "\r\n[Const]\r\nPaus=0\r\n").c_str());
  ini.close();

  stavbas::gui::ProgramPaths paths;
  paths.programFolder = QCoreApplication::applicationDirPath().toStdString();
  paths.workFolder = work.path().toStdString();
  stavbas::gui::TForm1 window(paths);
  window.resize(900, 640);
  if (!qEnvironmentVariableIsSet("BENCH_HIDDEN")) window.show();
  if (!window.StartUp()) return 2;
  QAction* alla = window.findChild<QAction*>("actionAlla");
  QAction* clear = window.findChild<QAction*>("actionRensaTextfonster");
  for (int i = 0; i < repeats; ++i) {
    clear->trigger();
    QElapsedTimer timer;
    timer.start();
    alla->trigger();
    const qint64 ms = timer.elapsed();
    std::printf(
        "all run in the window: %lld ms, %ld inscriptions, longest unserved event loop %lld ms,"
        " window %zu characters\n",
        static_cast<long long>(ms), window.app().output.inscriptionCount,
        static_cast<long long>(window.host().longestGapMs), window.output().Length());
  }
  return 0;
}
