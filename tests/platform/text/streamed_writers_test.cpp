// The RTF, DOCX and ODT writers write in pieces: what they give a sink, whatever the size of
// the pieces it takes, is byte for byte what they wrote when they made the whole file at once
// (the digests below are of the files the writers made before they wrote in pieces), and a
// sink that refuses a piece stops the writer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "figure_test_support.h"
#include "metafile_samples.h"
#include "paragraph_test_support.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_picture_writer.h"
#include "platform/text/rtf_writer.h"

namespace pennory::text {
namespace {

using testing::figureOf;

// FNV-1a, 64 bits.
std::uint64_t digestOf(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// Bytes no codec decodes but every writer copies: a JPEG's headers, then filler.
std::string largeJpeg(std::size_t size, std::uint32_t seed) {
    std::string bytes = testing::tinyJpeg(4000, 3000);
    bytes.resize(bytes.size() - 2);
    std::uint32_t state = seed;
    while (bytes.size() + 2 < size) {
        state = state * 1664525u + 1013904223u;
        bytes += static_cast<char>(state >> 24);
    }
    return bytes + "\xFF\xD9";
}

CharFormat formatOf(std::u16string font, float size, Colour colour = 0) {
    CharFormat f;
    f.fontName = std::move(font);
    f.sizePt = size;
    f.colour = colour;
    return f;
}

void appendFigure(StyledText& text, Figure figure) {
    CharFormat f = formatOf(u"宋体", 9.0f);
    f.figure = FigureRef(std::move(figure));
    text.append(u"\uFFFC", f);
}

StyledText fontsAndColours() {
    StyledText t;
    CharFormat title = formatOf(u"黑体", 16.0f, rgb(255, 0, 0));
    title.bold = true;
    t.append(u"第一章 电路\r\n", title);
    CharFormat body = formatOf(u"宋体", 10.5f, rgb(0, 0, 255));
    body.italic = true;
    body.underline = true;
    t.append(u"本文介绍万用表。\t\U0001F600 a{b}\\c\r\n", body);
    CharFormat latin = formatOf(u"Times New Roman", 12.0f);
    latin.strikethrough = true;
    t.append(u"Ohm's law, €5\r\n", latin);
    return t;
}

// Two megabytes of text, so that the RTF writer passes several pieces on between figures.
StyledText longText() {
    StyledText t;
    std::u16string line = u"电阻、电容和电感是三种基本元件。Resistors {and} capacitors.\r\n";
    std::u16string all;
    while (all.size() < 1'100'000) all += line;
    t.append(all, formatOf(u"宋体", 9.0f));
    return t;
}

StyledText everyFigure() {
    StyledText t(u"各种图片：\r\n", formatOf(u"宋体", 9.0f));
    appendFigure(t, figureOf(FigureKind::Png, testing::tinyPng(40, 30, 3), 40, 30));
    appendFigure(t, figureOf(FigureKind::Jpeg, largeJpeg(3'000'017, 1), 4000, 3000,
                             {FigureWidth::Unit::PercentOfText, 80.0f}));
    appendFigure(t, figureOf(FigureKind::Gif, "GIF89a" + std::string(70'000, '\x2a'), 1, 1));
    appendFigure(t, figureOf(FigureKind::Bmp, "BM" + std::string(100'000, '\x11'), 1, 1,
                             {FigureWidth::Unit::Centimetres, 5.0f}));
    Figure emf = figureOf(FigureKind::Other, testing::tinyEmf(), 96, 48);
    emf.origin = "docx:image/x-emf";
    appendFigure(t, emf);
    Figure wmf = figureOf(FigureKind::Other, testing::tinyWmfFile(), 0, 0);
    wmf.origin = "odt:image/x-wmf";
    wmf.goalWidthTwips = 1440;
    wmf.goalHeightTwips = 720;
    appendFigure(t, wmf);
    Figure svg = figureOf(FigureKind::Other, "<svg xmlns=\"http://www.w3.org/2000/svg\"/>", 0, 0);
    svg.origin = "odt:image/svg+xml";
    appendFigure(t, svg);
    Figure pict = figureOf(FigureKind::Other, "{\\pict\\wmetafile8\\picw10\\pich10 0102}", 0, 0);
    pict.origin = "rtf:pict";
    appendFigure(t, pict);
    t.append(u"\r\n图注。\r\n", formatOf(u"宋体", 9.0f));
    return t;
}

// Thirty photos of a megabyte each, as a manuscript of photos is.
StyledText photos() {
    StyledText t;
    const auto photo = std::make_shared<const std::string>(largeJpeg(1 << 20, 7));
    for (int i = 0; i < 30; ++i) {
        t.append(u"图注文字。\r\n", formatOf(u"宋体", 9.0f));
        Figure figure = figureOf(FigureKind::Jpeg, "", 4000, 3000);
        figure.bytes = photo;
        appendFigure(t, figure);
        t.append(u"\r\n", formatOf(u"宋体", 9.0f));
    }
    return t;
}

StyledText paragraphsAndFigure() {
    StyledText t = testing::paragraphSample();
    t.append(u"\r\n", formatOf(u"宋体", 12.0f));
    appendFigure(t, figureOf(FigureKind::Png, testing::tinyPng(8, 8, 1), 8, 8));
    return t;
}

using Writer = std::function<bool(const StyledText&, const ByteSink&)>;

struct WriterRow {
    const char* name;
    Writer write;
};

const WriterRow kWriters[] = {
    {"rtf", [](const StyledText& t, const ByteSink& s) { return writeRtf(t, s); }},
    {"docx", [](const StyledText& t, const ByteSink& s) { return writeDocx(t, s); }},
    {"odt", [](const StyledText& t, const ByteSink& s) { return writeOdt(t, s); }},
};

struct Case {
    const char* name;
    StyledText (*content)();
    std::uint64_t rtf, docx, odt;  // digests of the files made whole
    std::size_t rtfSize, docxSize, odtSize;
};

const Case kCases[] = {
    {"empty", [] { return StyledText(); }, 0x231d862b25c8488fULL, 0xebbbda5edc247b6dULL,
     0xc8266bf8b1079c91ULL, 172, 3278, 2036},
    {"fonts and colours", &fontsAndColours, 0x2a34eec767d56e27ULL, 0xf70a56f18ff1f085ULL,
     0x0b58a6bb5fd9e3e6ULL, 706, 3640, 2431},
    {"paragraph formats", &paragraphsAndFigure, 0x6aab3eea224e03bdULL, 0xfa47219abcc23100ULL,
     0x89b06698ba3c685eULL, 1263, 4349, 2907},
    {"long text", &longText, 0x697633996b65c4f1ULL, 0xa1474d39489ea09fULL, 0xfe817427d37dff46ULL,
     6747028, 52056, 35071},
    {"every figure", &everyFigure, 0x2b9e18f5984d321dULL, 0x59d1cefeb2fd4a34ULL,
     0xd9c9eba5236f6a09ULL, 6446956, 3009344, 3007436},
    {"thirty photos", &photos, 0x3614304c504419f0ULL, 0x0f0f9b3b522849aaULL, 0x3c3f78b37a5dc567ULL,
     63903418, 1053163, 1051134},
};

std::string wholeFile(int writer, const StyledText& content) {
    switch (writer) {
        case 0:
            return writeRtf(content);
        case 1:
            return writeDocx(content);
        default:
            return writeOdt(content);
    }
}

TEST(StreamedWriters, WholeFilesAreWhatTheyWere) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const StyledText content = c.content();
        const std::uint64_t digests[] = {c.rtf, c.docx, c.odt};
        const std::size_t sizes[] = {c.rtfSize, c.docxSize, c.odtSize};
        for (int w = 0; w < 3; ++w) {
            const std::string bytes = wholeFile(w, content);
            EXPECT_EQ(bytes.size(), sizes[w]);
            EXPECT_EQ(digestOf(bytes), digests[w]);
        }
    }
}

// Whatever pieces a writer gives, they join into the whole file; the RTF writer's pieces stay
// near a megabyte however large the file, so no copy of the file is ever made.
TEST(StreamedWriters, PiecesJoinIntoTheWholeFile) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const StyledText content = c.content();
        for (int w = 0; w < 3; ++w) {
            SCOPED_TRACE(kWriters[w].name);
            std::string joined;
            std::size_t largest = 0;
            const bool written = kWriters[w].write(content, [&](std::string_view piece) {
                joined.append(piece);
                largest = std::max(largest, piece.size());
                return true;
            });
            EXPECT_TRUE(written);
            EXPECT_EQ(joined, wholeFile(w, content));
            if (w == 0) {
                EXPECT_LE(largest, std::size_t(1) << 20);
            }
        }
    }
}

// A sink that refuses a piece is offered none after it, and the writer says it failed.
TEST(StreamedWriters, ARefusedPieceStopsTheWriter) {
    const StyledText content = everyFigure();
    for (const WriterRow& writer : kWriters) {
        for (int accepted : {0, 1, 3, 12}) {
            SCOPED_TRACE(std::string(writer.name) + " " + std::to_string(accepted));
            int offered = 0;
            const bool written =
                writer.write(content, [&](std::string_view) { return ++offered <= accepted; });
            EXPECT_FALSE(written);
            EXPECT_EQ(offered, accepted + 1);
        }
    }
}

TEST(StreamedWriters, AnRtfPictureGroupInPiecesIsTheGroupWhole) {
    const Figure jpeg = figureOf(FigureKind::Jpeg, largeJpeg(200'003, 5), 4000, 3000);
    std::string whole;
    writeRtfPicture(whole, jpeg);
    std::vector<std::string> pieces;
    EXPECT_TRUE(writeRtfPicture(jpeg, [&](std::string_view piece) {
        pieces.emplace_back(piece);
        return true;
    }));
    // The words, the data in lines of 128 digits and 64 KiB of bytes a piece, the end.
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_EQ(pieces[0],
              "{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picw4000\\pich3000"
              "\\picwgoal60000\\pichgoal45000\\jpegblip");
    EXPECT_EQ(pieces[1].size(), 65536u * 2 + 1024 * 2);
    EXPECT_EQ(pieces[4].size(), (200'003u - 3 * 65536) * 2 + (200'003u - 3 * 65536 + 63) / 64 * 2);
    EXPECT_EQ(pieces[5], "}}");
    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    EXPECT_EQ(joined, whole);
}

}  // namespace
}  // namespace pennory::text
