// Runs the window tests on the offscreen platform (no display needed). With a class name as
// first argument only that class runs; further arguments go to Qt Test.

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
#include <memory>
#include <vector>

#include "gui_fixture.h"

std::unique_ptr<QObject> MakeMainWindowTest();
std::unique_ptr<QObject> MakeLanguageExitTest();
std::unique_ptr<QObject> MakeTextEditWindowTest();
std::unique_ptr<QObject> MakeDialogsTest();
std::unique_ptr<QObject> MakeExportCommandsTest();
std::unique_ptr<QObject> MakeInformationSaveTest();

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // window geometry goes to a test folder
  stavbas::gui::test::OpenedUrls::Instance().Install();
  std::vector<std::unique_ptr<QObject>> tests;
  tests.push_back(MakeMainWindowTest());
  tests.push_back(MakeLanguageExitTest());
  tests.push_back(MakeTextEditWindowTest());
  tests.push_back(MakeDialogsTest());
  tests.push_back(MakeExportCommandsTest());
  tests.push_back(MakeInformationSaveTest());
  const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
  int failed = 0;
  for (auto& t : tests) {
    if (only && std::strcmp(t->metaObject()->className(), only) != 0 &&
        !QByteArray(t->metaObject()->className()).endsWith(QByteArray("::") + only))
      continue;
    failed += QTest::qExec(t.get(), only ? argc - 1 : argc, only ? argv + 1 : argv);
  }
  return failed;
}
