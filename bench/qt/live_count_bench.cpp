// A keystroke in a 1,000,000-character manuscript in the Qt editor, with and without the
// live count: the difference is what the count costs per keystroke (reading the edit from
// the document and recounting around it). Each iteration types a letter and takes it back.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <chrono>

#include "core/cipher_manuscript.h"
#include "input/manuscript_count.h"
#include "platform/qt/qt_rich_text_box.h"

namespace pennory::bench {
namespace {

void press(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

void BM_KeystrokeInMillionCharacterEditor(benchmark::State& state) {
    const bool counting = state.range(0) != 0;
    QWidget window;
    platform::qt::QtRichTextBox box(&window, {u"宋体", 9.0f}, {});
    window.resize(900, 650);
    box.setGeometry({0, 0, 900 * 15, 650 * 15});
    window.show();
    input::ManuscriptCount count;
    bool lost = false;
    std::chrono::nanoseconds inCount{0};
    if (counting) {
        box.setChangeHandlers(
            [&](const platform::TextEdit& edit) {
                const auto start = std::chrono::steady_clock::now();
                if (!count.apply(edit.start, edit.removed, edit.inserted)) lost = true;
                inCount += std::chrono::steady_clock::now() - start;
            },
            {});
    }
    box.setText(cipherManuscript());
    count.reset(box.text());
    box.setSelStart(cipherManuscript().size() / 2);
    box.setFocus();
    QApplication::processEvents();
    QWidget* editor = box.widget();
    // The first keystroke lays the paragraph out; it is no part of typing.
    press(editor, Qt::Key_A, QStringLiteral("a"));
    press(editor, Qt::Key_Backspace, QString());
    inCount = {};
    for (auto _ : state) {
        press(editor, Qt::Key_A, QStringLiteral("a"));
        press(editor, Qt::Key_Backspace, QString());
    }
    // The count's own share, per keystroke (two per iteration).
    state.counters["count_us_per_key"] =
        std::chrono::duration<double, std::micro>(inCount).count() /
        (2.0 * static_cast<double>(state.iterations()));
    if (counting && (lost || count.text() != box.text())) state.SkipWithError("count lost track");
}
BENCHMARK(BM_KeystrokeInMillionCharacterEditor)
    ->ArgName("counting")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pennory::bench
