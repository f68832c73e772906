// Figures in the Qt rich-text box: a 5 MB photo inserted until it shows; a manuscript of
// thirty 4000 x 3000 photos set until it shows; the same manuscript opened from and saved to
// RTF, DOCX and ODT, with the process's peak memory (run one format per process to read its
// peak: --benchmark_filter=Open.*/0 and so on); and what the recovery copy holds typing up for.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTextEdit>
#include <QWidget>
#include <filesystem>
#include <random>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

#include "document/recovery_copy.h"
#include "platform/files/document_files.h"
#include "platform/files/document_formats.h"
#include "platform/headless/scripted_timers.h"
#include "platform/qt/qt_rich_text_box.h"

namespace pennory::bench {
namespace {

using platform::qt::QtRichTextBox;

// Faint noise over a gradient compresses about as a photo does: 4000 x 3000 of it at quality
// 95 is some megabytes.
const std::shared_ptr<const std::string>& photoBytes() {
    static const auto bytes = [] {
        QImage image(4000, 3000, QImage::Format_RGB32);
        std::mt19937 random(7);
        for (int y = 0; y < image.height(); y += 2) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            auto* next = reinterpret_cast<QRgb*>(image.scanLine(y + 1));
            for (int x = 0; x < image.width(); x += 2) {
                const int grey = (x + y) / 28 % 200 + int(random() % 40);
                const QRgb pixel = qRgb(grey, grey / 2 + 40, 220 - grey);
                line[x] = line[x + 1] = next[x] = next[x + 1] = pixel;
            }
        }
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 95);
        return std::make_shared<const std::string>(data.toStdString());
    }();
    return bytes;
}

text::Figure photo() {
    text::Figure figure;
    figure.kind = text::FigureKind::Jpeg;
    // Each its own bytes, as photos read from a file are.
    figure.bytes = std::make_shared<const std::string>(*photoBytes());
    figure.widthPx = 4000;
    figure.heightPx = 3000;
    return figure;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// What the process holds now, as opposed to its peak.
double residentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1048576.0);
}

struct ShownBox {
    ShownBox() : box(&window, text::CharFormat{u"宋体", 9.0f, false, false, false, false, 0, {}}, {}) {
        window.resize(900, 650);
        box.widget()->setGeometry(0, 0, 900, 650);
        window.show();
        QApplication::processEvents();
    }
    void showNow() {
        auto* edit = static_cast<QTextEdit*>(box.widget());
        edit->viewport()->repaint();
        QApplication::processEvents();
    }
    QWidget window;
    QtRichTextBox box;
};

void BM_InsertFiveMegabytePhoto(benchmark::State& state) {
    state.counters["file_MB"] = photoBytes()->size() / 1048576.0;
    for (auto _ : state) {
        state.PauseTiming();
        ShownBox shown;
        const text::Figure figure = photo();
        state.ResumeTiming();
        shown.box.insertFigure(figure);
        shown.showNow();
    }
}
BENCHMARK(BM_InsertFiveMegabytePhoto)->Unit(benchmark::kMillisecond)->Iterations(5);

text::StyledText thirtyPhotos() {
    text::StyledText content;
    const text::CharFormat format{u"宋体", 9.0f};
    for (int i = 0; i < 30; ++i) {
        content.append(u"图注文字。\r\n", format);
        text::CharFormat withFigure = format;
        withFigure.figure = text::FigureRef(photo());
        content.append(u"\uFFFC", withFigure);
        content.append(u"\r\n", format);
    }
    return content;
}

void BM_SetContentWithThirtyPhotos(benchmark::State& state) {
    const text::StyledText content = thirtyPhotos();
    for (auto _ : state) {
        state.PauseTiming();
        ShownBox shown;
        state.ResumeTiming();
        shown.box.setContent(content);
        shown.showNow();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_SetContentWithThirtyPhotos)->Unit(benchmark::kMillisecond)->Iterations(2);

// Arg: the save type (0 RTF, 2 DOCX, 3 ODT).
const files::DocumentFormat& formatOf(const benchmark::State& state) {
    return files::documentFormat(static_cast<files::SaveType>(state.range(0)));
}

std::filesystem::path thirtyPhotosFile(const files::DocumentFormat& format) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("pennory-bench-thirty-photos-" + std::to_string(int(format.type)));
    if (!std::filesystem::exists(path)) files::saveDocument(path, thirtyPhotos(), format);
    return path;
}

// From the file on disk to the manuscript shown in the editor, as 打开 does.
void BM_OpenThirtyPhotos(benchmark::State& state) {
    const auto path = thirtyPhotosFile(formatOf(state));
    state.counters["file_MB"] = std::filesystem::file_size(path) / 1048576.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownBox>();
        state.ResumeTiming();
        auto loaded = files::loadDocument(path, {u"宋体", 9.0f});
        if (!loaded.result.ok || loaded.content.empty()) state.SkipWithError("not read");
        shown->box.setContent(loaded.content);
        shown->showNow();
        state.PauseTiming();
        loaded = {};
        state.counters["resident_after_MB"] = residentMegabytes();
        shown.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_OpenThirtyPhotos)->Arg(0)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

// From the editor's content to the file on disk, as 保存 does.
void BM_SaveThirtyPhotos(benchmark::State& state) {
    const auto& format = formatOf(state);
    const auto path = std::filesystem::temp_directory_path() / "pennory-bench-thirty-photos-saved";
    ShownBox shown;
    shown.box.setContent(thirtyPhotos());
    shown.showNow();
    for (auto _ : state) {
        if (!files::saveDocument(path, shown.box.content(), format).ok) {
            state.SkipWithError("not written");
        }
    }
    state.counters["file_MB"] = std::filesystem::file_size(path) / 1048576.0;
    state.counters["peak_MB"] = peakMegabytes();
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveThirtyPhotos)->Arg(0)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(2);

// What typing waits for when the writer pauses with thirty photos in the editor: the snapshot
// of the content, handed to the worker that writes the RTF.
void BM_RecoveryCopyInterfaceThreadThirtyPhotos(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "pennory-bench-recovery-photos";
    ShownBox shown;
    shown.box.setContent(thirtyPhotos());
    shown.showNow();
    platform::headless::ScriptedTimers timers;
    {
        document::RecoveryCopy copy(timers, folder, [&] { return shown.box.content(); });
        for (auto _ : state) {
            copy.changed();
            copy.copyInBackground();
            state.PauseTiming();
            copy.finishWriting();
            state.ResumeTiming();
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryCopyInterfaceThreadThirtyPhotos)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace pennory::bench
