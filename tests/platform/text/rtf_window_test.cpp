// Reading RTF through a window of its bytes gives what reading them whole gives, however small
// the window's steps, while the bytes behind the reader are given back.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "figure_samples.h"
#include "platform/files/picture_probe.h"
#include "platform/text/byte_window.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::text {
namespace {

PictureCheck probe(std::string_view bytes) {
    const auto r = files::probePicture(bytes);
    return {r.ok(), r.widthPx, r.heightPx};
}

// Gives bytes a chunk at a time and overwrites what is given back with braces and
// backslashes, so a reader that looked behind what it kept would read something else.
class ChunkedWindow final : public ByteWindow {
public:
    ChunkedWindow(std::string bytes, std::size_t chunk, std::size_t failAt = std::string::npos)
        : m_source(std::move(bytes)), m_chunk(chunk), m_failAt(failAt) {
        m_buffer.resize(m_source.size());
    }
    const char* data() const override { return m_buffer.data(); }
    std::size_t available() const override { return m_filled; }
    bool extend() override {
        const std::size_t end = std::min(m_source.size(), m_failAt);
        if (m_filled >= end) return false;
        const std::size_t n = std::min(m_chunk, end - m_filled);
        std::copy_n(m_source.data() + m_filled, n, m_buffer.data() + m_filled);
        m_filled += n;
        m_mostHeld = std::max(m_mostHeld, m_filled - m_released);
        return true;
    }
    void release(std::size_t offset) override {
        EXPECT_LE(offset, m_filled);
        for (std::size_t i = m_released; i < offset; ++i) m_buffer[i] = i % 2 ? '{' : '\\';
        m_released = std::max(m_released, offset);
    }
    std::size_t mostHeld() const { return m_mostHeld; }

private:
    std::string m_source;
    std::string m_buffer;
    std::size_t m_chunk;
    std::size_t m_failAt;
    std::size_t m_filled = 0;
    std::size_t m_released = 0;
    std::size_t m_mostHeld = 0;
};

std::string hexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

Figure figureOf(FigureKind kind, std::string bytes) {
    Figure f;
    f.kind = kind;
    f.bytes = std::make_shared<const std::string>(std::move(bytes));
    return f;
}

constexpr std::string_view kMetafileGroup =
    "{\\pict\\wmetafile8\\picw100\\pich50\\picwgoal1500\\pichgoal750 "
    "010009000003\r\n2200000000000500}";

// A manuscript as Pennory writes it: fonts, colours, paragraph formats, Chinese text and a
// figure of every kind, the metafile kept as its group.
std::string writtenManuscript() {
    StyledText text;
    CharFormat plain{u"宋体", 10.5f};
    CharFormat red = plain;
    red.colour = rgb(200, 0, 0);
    red.bold = true;
    text.append(u"第一章　电路\r\n", red);
    text.append(u"电阻、电容与\U0001F600。\r\n", plain);
    const std::vector<Figure> figures{
        figureOf(FigureKind::Png, testing::tinyPng()),
        figureOf(FigureKind::Jpeg, testing::tinyJpeg()),
        figureOf(FigureKind::Bmp, testing::tinyBmp()),
        figureOf(FigureKind::Gif, testing::tinyGif()),
    };
    for (const Figure& figure : figures) {
        CharFormat f = plain;
        f.figure = FigureRef(figure);
        text.append(u"\uFFFC", f);
        text.append(u"图注。\r\n", plain);
    }
    Figure metafile = figureOf(FigureKind::Other, std::string(kMetafileGroup));
    metafile.origin = "rtf:pict";
    CharFormat f = plain;
    f.figure = FigureRef(metafile);
    text.append(u"\uFFFC", f);
    text.append(u"完", CharFormat{u"Times New Roman", 12.0f});
    ParagraphFormat centred;
    centred.alignment = Alignment::Centre;
    centred.firstLine.charsHundredths = 200;
    centred.lineSpacing = {LineSpacing::Rule::Exactly, 18.0f};
    centred.spaceAfterPt = 6.0f;
    text.setParagraphFormat(0, centred);
    ParagraphFormat right;
    right.alignment = Alignment::Right;
    right.left.points = 12.0f;
    text.setParagraphFormat(1, right);
    return writeRtf(text);
}

struct Sample {
    const char* name;
    std::string rtf;
};

std::vector<Sample> samples() {
    const std::string png = testing::tinyPng();
    return {
        {"written manuscript", writtenManuscript()},
        {"gbk text and unicode",
         "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
         "{\\f1\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qc\\li420 "
         "\\f0\\cf1\\'d6\\'d0\\'ce\\'c4\\u25991?\\uc2\\u23383\\'d7\\'d6 text\\par\\f1\\b bold "
         "\\i0 and \\fs44 big\\line\\tab end\\par}"},
        {"png in shppict with a nonshppict copy",
         "{\\rtf1{\\*\\shppict{\\pict\\pngblip\\picw1\\pich1 " + hexOf(png) +
             "}}{\\nonshppict{\\pict\\wmetafile8 0100}}after}"},
        {"png in binary data",
         "{\\rtf1 a{\\pict\\pngblip\\bin" + std::to_string(png.size()) + " " + png + "}b}"},
        {"metafile group", "{\\rtf1 x" + std::string(kMetafileGroup) + "y}"},
        {"picture group opened long before its word",
         "{\\rtf1{" + std::string(300, 'z') + "\\pict\\emfblip 0102030405}tail}"},
        {"nested groups inside a metafile",
         "{\\rtf1{\\pict{\\*\\picprop{\\sp{\\sn a}{\\sv b}}}\\wmetafile8 " + std::string(200, 'a') +
             "}}"},
        {"damaged escapes and words", "{\\rtf1 \\'4}\\'g1 a\\'4"},
        {"cut in a control word", "{\\rtf1 abc\\parabcdefghijklmnopqrstuvwxyz-123"},
        {"binary beyond the end", "{\\rtf1{\\pict\\pngblip\\bin999999 abc"},
        {"unbalanced braces", "}}{\\rtf1 a}}}b{{{c\\par"},
        {"long number", "{\\rtf1\\fs999999999999999999999 x\\u-20013?}"},
    };
}

struct Reading {
    StyledText content;
    LeftOutKinds leftOut;
};

Reading whole(const std::string& rtf) {
    Reading r;
    r.content = readRtf(rtf, r.leftOut, probe);
    return r;
}

Reading windowed(ChunkedWindow& window) {
    Reading r;
    r.content = readRtf(window, r.leftOut, probe);
    return r;
}

TEST(RtfWindow, EveryChunkSizeReadsAsTheWholeBytes) {
    for (const Sample& sample : samples()) {
        const Reading expected = whole(sample.rtf);
        for (const std::size_t chunk : {1, 7, 64, 100000}) {
            SCOPED_TRACE(std::string(sample.name) + ", chunk " + std::to_string(chunk));
            ChunkedWindow window(sample.rtf, chunk);
            const Reading read = windowed(window);
            EXPECT_EQ(read.content, expected.content);
            EXPECT_EQ(read.leftOut, expected.leftOut);
        }
    }
}

// The equivalence above means little if the whole reading had found no figures.
TEST(RtfWindow, TheMetafileKeepsItsGroupAndThePicturesTheirFiles) {
    ChunkedWindow window("{\\rtf1 x" + std::string(kMetafileGroup) + "y{\\pict\\pngblip " +
                             hexOf(testing::tinyPng()) + "}}",
                         3);
    const Reading read = windowed(window);
    std::vector<Figure> figures;
    for (const StyledRun& run : read.content.runs()) {
        if (run.format.figure) figures.push_back(*run.format.figure);
    }
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].kind, FigureKind::Other);
    EXPECT_EQ(*figures[0].bytes, kMetafileGroup);
    EXPECT_EQ(figures[1].kind, FigureKind::Png);
    EXPECT_EQ(*figures[1].bytes, testing::tinyPng());
    EXPECT_EQ(read.content.plainText(), u"x\uFFFCy\uFFFC");
}

// Many pictures one after another: what is held at once is about one picture, not the file.
TEST(RtfWindow, BytesBehindThePictureReadAreGivenBack) {
    const std::string pictureHex(20000, 'a');
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 50; ++i) rtf += "{\\pict\\wmetafile8 " + pictureHex + "}\\par ";
    rtf += "}";
    ChunkedWindow window(rtf, 4096);
    const Reading read = windowed(window);
    // Each figure and CR LF, but for the \par that ends the document.
    EXPECT_EQ(read.content.plainText().size(), 50u * 3 - 2);
    EXPECT_GT(rtf.size(), 1000000u);
    EXPECT_LT(window.mostHeld(), 30000u);
}

TEST(RtfWindow, AnInputThatStopsMidwayGivesWhatCameBefore) {
    const std::string rtf = "{\\rtf1 abc\\par de{\\pict\\pngblip 89504e47}fg}";
    ChunkedWindow window(rtf, 5, rtf.find("4e47"));
    const Reading read = windowed(window);
    EXPECT_EQ(read.content.plainText(), u"abc\r\nde");
}

}  // namespace
}  // namespace pennory::text
