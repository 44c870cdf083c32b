// Times an "Alla" run without pauses in the window program (offscreen platform): the whole run,
// and the longest time the event loop went unserved while it ran; then once more into the window
// the last run filled; and single appends into a window already holding more and more text.
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
#include "output/window_append.h"

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
  auto run = [&](const char* what) {
    QElapsedTimer timer;
    timer.start();
    alla->trigger();
    const qint64 ms = timer.elapsed();
    std::printf(
        "%s: %lld ms, %ld inscriptions, longest unserved event loop %lld ms,"
        " window %zu characters\n",
        what, static_cast<long long>(ms), window.app().output.inscriptionCount,
        static_cast<long long>(window.host().longestGapMs), window.output().Length());
  };
  for (int i = 0; i < repeats; ++i) {
    clear->trigger();
    run("all run in the window");
  }
  // The same run once more after the last, without clearing: when an append's cost grew with
  // the text already in the window, this one would take longer.
  run("again, after the text of the run before");

  // One inscription's text appended to a window that already holds more and more text: the
  // cost of an append must not grow with it.
  stavbas::TextStyle plain, bold;
  bold.bold = true;
  stavbas::StagingBuffer staging;
  staging.Append("U 1234 V ", bold);
  staging.Append("sasur lit raisa stain pansi aftir hulmstain fa\xF0ur sin\r\n\r\n", plain);
  const std::vector<stavbas::StyledRun> block = {{std::string(9998, 'a') + "\r\n", plain}};
  for (const std::size_t fill : {0, 500000, 1000000, 1900000}) {
    clear->trigger();
    stavbas::OutputWindow& out = window.output();
    out.maxLength = 4000000;
    while (out.Length() < fill) out.Append(block);
    constexpr int kAppends = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kAppends; ++i) stavbas::AppendStaging(out, staging, "");
    std::printf("one inscription appended to a window of %zu characters: %.1f us\n", fill,
                static_cast<double>(timer.nsecsElapsed()) / 1000.0 / kAppends);
  }
  return 0;
}
