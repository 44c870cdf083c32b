// The output window over the text control's document answers as the in-memory document does,
// whatever is written, deleted or inserted, so the runs and exports behave alike in the window and
// headless.

#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>

#include "app/gui/text_edit_window.h"
#include "output/memory_document.h"
#include "output/window_append.h"

namespace stavbas::gui::test {

class TextEditWindowTest : public QObject {
  Q_OBJECT

  static void Same(const OutputWindow& a, const OutputWindow& b, const char* step) {
    QCOMPARE(b.Text(), a.Text());
    QCOMPARE(b.Length(), a.Length());
    QCOMPARE(b.LineCount(), a.LineCount());
    for (int i = -1; i <= a.LineCount(); ++i) {
      QCOMPARE(b.Line(i), a.Line(i));
      QCOMPARE(b.LineStart(i), a.LineStart(i));
    }
    for (std::size_t n : {0, 1, 2, 3, 7}) QCOMPARE(b.Tail(n), a.Tail(n));
    QVERIFY2(b.FontSizeAtEnd() == a.FontSizeAtEnd(),
             qPrintable(QString("%1: %2 against %3 after \"%4\"")
                            .arg(step)
                            .arg(b.FontSizeAtEnd())
                            .arg(a.FontSizeAtEnd())
                            .arg(QString::fromStdString(a.Tail(6)).toHtmlEscaped())));
  }

 private slots:
  void behavesLikeTheMemoryDocument() {
    QPlainTextEdit edit;
    TextEditWindow window(edit.document());
    MemoryDocument memory;
    const TextStyle plain{"Arial", 10, false, false, kBlack};
    const TextStyle red{"Arial", 12, true, false, kRed};
    auto both = [&](auto&& op) {
      op(static_cast<OutputWindow&>(memory));
      op(static_cast<OutputWindow&>(window));
    };
    Same(memory, window, "empty");
    both([&](OutputWindow& w) {
      w.Append({{"U 344 V\r\n", red}, {"ok \xE5\xE4\xF6 \xB7", plain}});
    });
    Same(memory, window, "append");
    both([&](OutputWindow& w) { w.Append({{"\r\n\r\nlast\r\n", plain}}); });
    Same(memory, window, "lines");
    both([&](OutputWindow& w) { w.Delete(2, 9); });  // crosses a line end
    Same(memory, window, "delete");
    both([&](OutputWindow& w) { w.InsertAtStart("top\r\n", plain); });
    Same(memory, window, "start");
    both([&](OutputWindow& w) { w.InsertAtCursor("mid", red); });
    Same(memory, window, "cursor");
    // Random appends and deletions that never split a line end.
    QRandomGenerator rng(42);
    for (int i = 0; i < 200; ++i) {
      if (rng.bounded(4) == 0 && memory.Length() > 4) {
        std::size_t start = rng.bounded(static_cast<int>(memory.Length()));
        const std::string t = memory.Text();
        if (start > 0 && t[start - 1] == '\r') --start;
        std::size_t end = std::min(t.size(), start + rng.bounded(30));
        if (end < t.size() && end > 0 && t[end - 1] == '\r') ++end;
        both([&](OutputWindow& w) { w.Delete(start, end - start); });
      } else {
        std::string text(rng.bounded(1, 20), 'a' + static_cast<char>(rng.bounded(26)));
        if (rng.bounded(3) == 0) text += "\r\n";
        const TextStyle style = rng.bounded(2) ? plain : red;
        both([&](OutputWindow& w) { w.Append({{text, style}}); });
      }
      Same(memory, window, "random");
    }
    QCOMPARE(window.Runs(), memory.Runs());
  }

  void aFullWindowDropsOldTextWithTheNoticeAsInTheCore() {
    QPlainTextEdit edit;
    TextEditWindow window(edit.document());
    MemoryDocument memory;
    for (OutputWindow* w :
         {static_cast<OutputWindow*>(&memory), static_cast<OutputWindow*>(&window)}) {
      w->maxLength = 62001;
      for (int i = 0; i < 2500; ++i) {
        StagingBuffer staging;
        staging.Append("U " + std::to_string(i) + " text of the inscription\r\n", {});
        AppendStaging(*w, staging, "(dropped)");
      }
    }
    QCOMPARE(window.Text(), memory.Text());
    QCOMPARE(window.Line(0), std::string("(dropped)"));
    QCOMPARE(window.maxLength, memory.maxLength);
    ClearOutputWindow(window);
    QCOMPARE(window.Length(), std::size_t{0});
    QCOMPARE(window.maxLength, kStartMaxLength);
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeTextEditWindowTest() {
  return std::make_unique<stavbas::gui::test::TextEditWindowTest>();
}

#include "text_edit_window_test.moc"
