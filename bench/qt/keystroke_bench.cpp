// A keystroke in the program's window with a 10 MB RTF manuscript open: the key goes to the
// editor, the change report updates the live count and the status line and restarts the
// recovery copy's timer, and the window handles what is pending, its repaint included.
// Argument: where the caret is, 0 at the start, 1 in the middle, 2 at the end; each
// iteration types a letter and takes it back. "painted_px_per_key" is the area of the
// editor's viewport repainted per keystroke, "window_painted_px_per_key" that of every widget
// of the window painted (a parent painted under a child counts again).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTextEdit>
#include <filesystem>

#include "bench_window.h"
#include "core/manuscript_generator.h"

namespace pennory::bench {
namespace {

constexpr std::size_t kRtfBytes = 10u << 20;

const text::StyledText& bigManuscript() {
    static const text::StyledText content = generateManuscript(kRtfBytes);
    return content;
}

// Adds up the area of every paint event of the object it watches.
class PaintedArea : public QObject {
public:
    long long pixels = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<long long>(r.width()) * r.height();
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

struct Window : BenchWindow {
    Window()
        : BenchWindow(std::filesystem::temp_directory_path() / "pennory_keystroke_bench_recovery") {}
};

void press(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
    QApplication::processEvents();
}

void BM_KeystrokeInTenMegabyteManuscript(benchmark::State& state) {
    Window window;
    platform::RichTextBox& box = window.form->RichTextBox1();
    box.setContent(bigManuscript());
    const std::size_t length = bigManuscript().length();
    const std::size_t at[] = {0, length / 2, length};
    box.setSelStart(at[state.range(0)]);
    window.factory->mainWindow()->activateWindow();
    box.setFocus();
    QApplication::processEvents();
    auto* editor = qobject_cast<QTextEdit*>(QApplication::focusWidget());
    if (!editor) {
        state.SkipWithError("the editor has no focus");
        return;
    }
    QApplication::processEvents();
    // The first keystroke lays the paragraph out; it is no part of typing.
    press(editor, Qt::Key_A, QStringLiteral("a"));
    press(editor, Qt::Key_Backspace, QString());
    PaintedArea painted;
    editor->viewport()->installEventFilter(&painted);
    PaintedArea windowPainted;
    qApp->installEventFilter(&windowPainted);
    for (auto _ : state) {
        press(editor, Qt::Key_A, QStringLiteral("a"));
        press(editor, Qt::Key_Backspace, QString());
    }
    editor->viewport()->removeEventFilter(&painted);
    qApp->removeEventFilter(&windowPainted);
    const double keys = 2.0 * static_cast<double>(state.iterations());
    state.counters["painted_px_per_key"] = static_cast<double>(painted.pixels) / keys;
    state.counters["paints_per_key"] = painted.paints / keys;
    state.counters["window_painted_px_per_key"] = static_cast<double>(windowPainted.pixels) / keys;
    if (box.text().size() != length) state.SkipWithError("the text changed");
}
BENCHMARK(BM_KeystrokeInTenMegabyteManuscript)
    ->ArgName("caret")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pennory::bench
