// Find and replace in a real Qt editor holding the 10 MB RTF manuscript (about 1.5 million
// characters), the way the commands do it: the box's text, the search, the selection or one
// edit transaction; and the undo of a 全部替换.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <variant>

#include "core/manuscript_generator.h"
#include "platform/qt/qt_rich_text_box.h"
#include "platform/text/text_search.h"

namespace pennory::bench {
namespace {

using platform::qt::QtRichTextBox;

const text::StyledText& bigManuscript() {
    static const text::StyledText content = generateManuscript(10u << 20);
    return content;
}

struct FindEditor {
    FindEditor() : box(&window, text::CharFormat{u"宋体", 9.0f}, {}) {
        window.resize(900, 650);
        box.setGeometry({0, 0, 900 * 15, 650 * 15});
        window.show();
        box.setContent(bigManuscript());
        QApplication::processEvents();
        box.setFocus();
    }
    QWidget window;
    QtRichTextBox box;
};

text::TextSearch searchFor(std::u16string_view pattern) {
    return std::get<text::TextSearch>(text::TextSearch::compile(pattern, {}));
}

// F3 for a word of the manuscript from a caret in its middle: the search over the text the
// core keeps (the live count's copy) and the selection of the match, in a book already laid
// out once (the first jump through a freshly opened book is BM_SelectNearTheEnd's cost).
void BM_FindNextFromTheCaret(benchmark::State& state) {
    FindEditor editor;
    const std::u16string text = editor.box.text();
    const std::u16string word = text.substr(text.size() / 2 + 5000, 2);
    const auto search = searchFor(word);
    editor.box.setSelStart(text.size() - 1);  // lays the whole book out once
    QApplication::processEvents();
    std::size_t caret = text.size() / 2;
    for (auto _ : state) {
        const auto found = text::findNext(search, text, caret);
        if (!found) state.SkipWithError("not found");
        editor.box.setSelStart(found->match.start);
        editor.box.setSelLength(found->match.length);
        caret = found->match.end();
    }
    state.counters["characters"] = static_cast<double>(text.size());
}
BENCHMARK(BM_FindNextFromTheCaret)->Unit(benchmark::kMillisecond);

// A word that occurs once, far from the caret: the search has to cover most of the book.
void BM_FindARareWordFarFromTheCaret(benchmark::State& state) {
    FindEditor editor;
    const std::u16string text = editor.box.text();
    const std::u16string word = text.substr(text.size() * 9 / 10, 8);
    const auto search = searchFor(word);
    for (auto _ : state) {
        const auto found = text::findNext(search, text, text.size() / 10);
        if (!found) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindARareWordFarFromTheCaret)->Unit(benchmark::kMillisecond);

// The search alone, over a text the core already holds.
void BM_FindFirstMatchInText(benchmark::State& state) {
    const std::u16string text = bigManuscript().plainText();
    const auto search = searchFor(text.substr(text.size() * 9 / 10, 4));
    for (auto _ : state) benchmark::DoNotOptimize(search.findFrom(text, text.size() / 10));
}
BENCHMARK(BM_FindFirstMatchInText)->Unit(benchmark::kMillisecond);

void BM_CountAllMatches(benchmark::State& state) {
    const std::u16string text = bigManuscript().plainText();
    const auto search = searchFor(u"，");
    std::size_t n = 0;
    for (auto _ : state) n = search.findAll(text).size();
    state.counters["matches"] = static_cast<double>(n);
}
BENCHMARK(BM_CountAllMatches)->Unit(benchmark::kMillisecond);

// 全部替换 of 10,000 matches (the first 10,000 of the commas) as the command makes it.
std::size_t replaceAll(QtRichTextBox& box, const text::TextSearch& search) {
    const std::u16string text = box.text();
    auto matches = search.findAll(text);
    matches.resize(std::min<std::size_t>(matches.size(), 10000));
    std::vector<text::Replacement> replacements;
    for (const auto& m : matches) replacements.push_back({m.start, m.length, u"之", {}});
    box.applyReplacements(std::move(replacements));
    QApplication::processEvents();
    return matches.size();
}

void BM_ReplaceAll(benchmark::State& state) {
    FindEditor editor;
    const auto search = searchFor(u"，");
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setContent(bigManuscript());
        QApplication::processEvents();
        state.ResumeTiming();
        state.counters["replacements"] = static_cast<double>(replaceAll(editor.box, search));
    }
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// One Ctrl+Z taking a 全部替换 of 10,000 matches back.
void BM_UndoReplaceAll(benchmark::State& state) {
    FindEditor editor;
    const auto search = searchFor(u"，");
    std::u16string before;
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setContent(bigManuscript());
        QApplication::processEvents();
        before = editor.box.text();
        replaceAll(editor.box, search);
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
        QApplication::sendEvent(editor.box.widget(), &press);
        QApplication::processEvents();
    }
    if (editor.box.text() != before) state.SkipWithError("not undone");
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace pennory::bench
