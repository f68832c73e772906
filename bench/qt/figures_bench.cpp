// Figures in the Qt rich-text box: a 5 MB photo inserted until it shows, and a manuscript of
// thirty 4000 x 3000 photos set until it shows, with the process's peak memory.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTextEdit>
#include <QWidget>
#include <random>
#include <sys/resource.h>

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

void BM_SetContentWithThirtyPhotos(benchmark::State& state) {
    text::StyledText content;
    const text::CharFormat format{u"宋体", 9.0f};
    for (int i = 0; i < 30; ++i) {
        content.append(u"图注文字。\r\n", format);
        text::CharFormat withFigure = format;
        withFigure.figure = text::FigureRef(photo());
        content.append(u"\uFFFC", withFigure);
        content.append(u"\r\n", format);
    }
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

}  // namespace
}  // namespace pennory::bench
