// The Qt rich-text box with manuscripts of real size: opening a 10 MB RTF manuscript into a
// shown editor until it takes a keystroke, a zoom step, and the conversions between styled text and the
// QTextDocument on their own.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <vector>

#include "core/manuscript_generator.h"
#include "platform/files/document_files.h"
#include "platform/text/office_documents.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_rich_text_box.h"

namespace pennory::bench {
namespace {

using platform::qt::QtRichTextBox;

constexpr std::size_t kManuscriptRtfBytes = 10u << 20;
constexpr std::size_t kPlainCharacters = 1'000'000;

const text::CharFormat kManuscriptFormat{u"宋体", 9.0f};

// A manuscript whose RTF would be about rtfBytes long, generated once per size.
const text::StyledText& manuscript(std::size_t rtfBytes = kManuscriptRtfBytes) {
    static std::map<std::size_t, text::StyledText> cache;
    auto it = cache.find(rtfBytes);
    if (it == cache.end()) it = cache.emplace(rtfBytes, generateManuscript(rtfBytes)).first;
    return it->second;
}

// About a million characters of Chinese text with its line breaks.
const std::u16string& plainText() {
    static const std::u16string text = [] {
        std::u16string all = generateManuscript(kPlainCharacters * 8 + (1 << 20)).plainText();
        all.resize(kPlainCharacters);
        return all;
    }();
    return text;
}

// The manuscript as a 10 MB RTF file in the temporary folder, written once.
const std::filesystem::path& manuscriptFile() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "pennory_bench_manuscript.rtf";
        std::ofstream(file, std::ios::binary) << manuscriptRtf(kManuscriptRtfBytes);
        return file;
    }();
    return path;
}

// A shown window with the manuscript editor filling it, as in the program.
struct Editor {
    Editor() : box(&window, kManuscriptFormat, {}) {
        window.resize(900, 650);
        box.setGeometry({0, 0, 900 * 15, 650 * 15});
        window.show();
        QApplication::processEvents();
        box.setFocus();
    }
    QWidget window;
    QtRichTextBox box;
};

void typeCharacter(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(target, &release);
}

// Open: read and parse the file, fill the editor, let the window handle what is pending,
// and type a character at the caret.
void BM_OpenManuscriptIntoEditor(benchmark::State& state) {
    const auto& path = manuscriptFile();
    Editor editor;
    std::size_t characters = 0;
    for (auto _ : state) {
        const files::LoadedDocument loaded = files::loadDocument(path, kManuscriptFormat);
        if (!loaded.result.ok) {
            state.SkipWithError("the manuscript could not be read");
            return;
        }
        editor.box.setContent(loaded.content);
        QApplication::processEvents();
        typeCharacter(editor.box.widget());
        QApplication::processEvents();
        characters = loaded.content.length();
    }
    state.counters["characters"] = static_cast<double>(characters);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}
BENCHMARK(BM_OpenManuscriptIntoEditor)->Unit(benchmark::kMillisecond)->Iterations(5);

// A manuscript of 1.5 million characters (11.5 MB as RTF) as a DOCX or an ODT file in the
// temporary folder, written once each.
constexpr std::size_t kOfficeManuscriptRtfBytes = std::size_t(23) << 19;
const std::filesystem::path& officeFile(bool docx) {
    static const auto write = [](bool asDocx) {
        const auto file = std::filesystem::temp_directory_path() /
                          (asDocx ? "pennory_bench_manuscript.docx" : "pennory_bench_manuscript.odt");
        const auto& content = manuscript(kOfficeManuscriptRtfBytes);
        std::ofstream(file, std::ios::binary)
            << (asDocx ? text::writeDocx(content) : text::writeOdt(content));
        return file;
    };
    static const std::filesystem::path docxPath = write(true);
    static const std::filesystem::path odtPath = write(false);
    return docx ? docxPath : odtPath;
}

// Open a DOCX (argument 1) or an ODT (0): read the package, fill the editor, type a character.
void BM_OpenOfficeDocumentIntoEditor(benchmark::State& state) {
    const auto& path = officeFile(state.range(0) == 1);
    Editor editor;
    std::size_t characters = 0;
    for (auto _ : state) {
        const files::LoadedDocument loaded = files::loadDocument(path, kManuscriptFormat);
        if (!loaded.result.ok) {
            state.SkipWithError("the document could not be read");
            return;
        }
        editor.box.setContent(loaded.content);
        QApplication::processEvents();
        typeCharacter(editor.box.widget());
        QApplication::processEvents();
        characters = loaded.content.length();
    }
    state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(BM_OpenOfficeDocumentIntoEditor)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arguments: the size of the manuscript as RTF; 40 MB of RTF hold some 5 million characters.
void BM_SetContent(benchmark::State& state) {
    const text::StyledText& content = manuscript(static_cast<std::size_t>(state.range(0)));
    Editor editor;
    for (auto _ : state) editor.box.setContent(content);
    state.counters["characters"] = static_cast<double>(content.length());
    state.counters["runs"] = static_cast<double>(content.runs().size());
}
BENCHMARK(BM_SetContent)
    ->Arg(kManuscriptRtfBytes)
    ->Arg(4 * kManuscriptRtfBytes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_Content(benchmark::State& state) {
    const text::StyledText& content = manuscript(static_cast<std::size_t>(state.range(0)));
    Editor editor;
    editor.box.setContent(content);
    for (auto _ : state) {
        const text::StyledText back = editor.box.content();
        benchmark::DoNotOptimize(back.runs().data());
        if (back.length() != content.length()) state.SkipWithError("content differs");
    }
    state.counters["characters"] = static_cast<double>(content.length());
}
BENCHMARK(BM_Content)
    ->Arg(kManuscriptRtfBytes)
    ->Arg(4 * kManuscriptRtfBytes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// One edit transaction of the size a Replace All or a punctuation clean-up makes: every
// 全角 comma of a million-character manuscript replaced, as one undo step. Argument: the
// number of replacements (at most the commas there are).
void BM_ApplyReplacements(benchmark::State& state) {
    const std::u16string& text = plainText();
    std::vector<text::Replacement> commas;
    for (std::size_t at = text.find(u'，'); at != std::u16string::npos && commas.size() <
                                             static_cast<std::size_t>(state.range(0));
         at = text.find(u'，', at + 1)) {
        commas.push_back({at, 1, u",", std::nullopt});
    }
    Editor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setText(text);
        QApplication::processEvents();
        state.ResumeTiming();
        if (!editor.box.applyReplacements(commas)) state.SkipWithError("refused");
        QApplication::processEvents();
    }
    state.counters["replacements"] = static_cast<double>(commas.size());
}
BENCHMARK(BM_ApplyReplacements)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Text(benchmark::State& state) {
    Editor editor;
    editor.box.setText(plainText());
    for (auto _ : state) {
        const std::u16string text = editor.box.text();
        benchmark::DoNotOptimize(text.data());
        if (text.size() != plainText().size()) state.SkipWithError("text differs");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(plainText().size()));
}
BENCHMARK(BM_Text)->Unit(benchmark::kMillisecond);

void BM_SetText(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) editor.box.setText(plainText());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(plainText().size()));
}
BENCHMARK(BM_SetText)->Unit(benchmark::kMillisecond);

// Moving the caret to the end of a freshly loaded manuscript: Qt lays out every paragraph
// before it to show the caret there (what Select All or Ctrl+End cost once after a load).
void BM_CaretToTheEndOfAFreshManuscript(benchmark::State& state) {
    Editor editor;
    const std::size_t end = manuscript().length();
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setContent(manuscript());
        state.ResumeTiming();
        editor.box.setSelStart(end - 100);
        editor.box.setSelLength(50);
        benchmark::DoNotOptimize(editor.box.selText());
    }
}
BENCHMARK(BM_CaretToTheEndOfAFreshManuscript)->Unit(benchmark::kMillisecond)->Iterations(3);

// A jump of the scroll bar to the middle of a freshly loaded manuscript, until the view is
// drawn there.
void BM_ScrollBarJumpIntoAFreshManuscript(benchmark::State& state) {
    Editor editor;
    QScrollBar* bar = editor.box.widget()->verticalScrollBar();
    QWidget* viewport = editor.box.widget()->viewport();
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setContent(manuscript());
        QApplication::processEvents();
        state.ResumeTiming();
        bar->setValue(bar->maximum() / 2);
        viewport->repaint();
    }
}
BENCHMARK(BM_ScrollBarJumpIntoAFreshManuscript)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ctrl+End and then Ctrl+Home in a freshly loaded manuscript, each until the view is drawn.
void BM_CtrlEndAndHomeInAFreshManuscript(benchmark::State& state) {
    Editor editor;
    QWidget* viewport = editor.box.widget()->viewport();
    const auto press = [&](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(editor.box.widget(), &event);
        viewport->repaint();
    };
    for (auto _ : state) {
        state.PauseTiming();
        editor.box.setContent(manuscript());
        QApplication::processEvents();
        state.ResumeTiming();
        press(Qt::Key_End);
        press(Qt::Key_Home);
    }
}
BENCHMARK(BM_CtrlEndAndHomeInAFreshManuscript)->Unit(benchmark::kMillisecond)->Iterations(3);

// Selecting near the end once the layout is done maps positions through all paragraphs.
void BM_SelectNearTheEnd(benchmark::State& state) {
    Editor editor;
    editor.box.setContent(manuscript());
    const std::size_t end = manuscript().length();
    editor.box.setSelStart(end);
    for (auto _ : state) {
        editor.box.setSelStart(end - 100);
        editor.box.setSelLength(50);
        benchmark::DoNotOptimize(editor.box.selText());
    }
}
BENCHMARK(BM_SelectNearTheEnd)->Unit(benchmark::kMicrosecond);

// One zoom step and the repaint it causes, the manuscript shown from its start (0) or from its
// middle (1), where the layout above the view has to be redone before it can be drawn.
void BM_ZoomStep(benchmark::State& state) {
    Editor editor;
    editor.box.setContent(manuscript());
    if (state.range(0) == 1) editor.box.setSelStart(manuscript().length() / 2);
    QApplication::processEvents();
    QWidget* viewport = editor.box.widget()->viewport();
    int percent = 100;
    int step = 10;
    for (auto _ : state) {
        if (percent + step > 400 || percent + step < 50) step = -step;
        percent += step;
        editor.box.setZoomPercent(percent);
        viewport->repaint();
    }
}
BENCHMARK(BM_ZoomStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace pennory::bench

int main(int argc, char** argv) {
    // The benchmarks need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pennory::platform::qt::prepareApplication(app);  // fonts as the program has them
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::temp_directory_path() / "pennory_bench_manuscript.rtf",
                            ignored);
    return 0;
}
