// Figures in RTF: written as word processors read them, read in the forms they write, and
// the picture file's bytes kept exactly.

#include <gtest/gtest.h>

#include <string>

#include "figure_samples.h"
#include "platform/files/picture_probe.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::text {
namespace {

using testing::fromHex;

PictureCheck probe(std::string_view bytes) {
    const auto r = files::probePicture(bytes);
    return {r.ok(), r.widthPx, r.heightPx};
}

Figure figureOf(FigureKind kind, std::string bytes, int w, int h) {
    Figure f;
    f.kind = kind;
    f.bytes = std::make_shared<const std::string>(std::move(bytes));
    f.widthPx = w;
    f.heightPx = h;
    return f;
}

StyledText withFigures(const std::vector<std::pair<std::u16string, Figure>>& parts) {
    StyledText text;
    for (const auto& [before, figure] : parts) {
        text.append(before, CharFormat{});
        CharFormat f;
        f.figure = FigureRef(figure);
        text.append(u"\uFFFC", f);
    }
    text.append(u"完", CharFormat{});
    return text;
}

std::vector<Figure> figuresIn(const StyledText& text) {
    std::vector<Figure> out;
    for (const auto& run : text.runs()) {
        if (!run.format.figure) continue;
        for (char16_t c : run.text) {
            if (c == kObjectCharacter) out.push_back(*run.format.figure);
        }
    }
    return out;
}

StyledText read(const std::string& rtf, LeftOutKinds* leftOut = nullptr) {
    LeftOutKinds ignored;
    return readRtf(rtf, leftOut ? *leftOut : ignored, probe);
}

TEST(RtfFigure, PngIsWrittenInAShapePictureGroupWithItsSize) {
    const std::string rtf =
        writeRtf(withFigures({{u"图", figureOf(FigureKind::Png, testing::tinyPng(), 1, 1)}}));
    EXPECT_NE(rtf.find("{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picw1\\pich1"
                       "\\picwgoal15\\pichgoal15\\pngblip\r\n89504e470d0a1a0a"),
              std::string::npos)
        << rtf;
    EXPECT_EQ(rtf.find("nonshppict"), std::string::npos);
}

TEST(RtfFigure, RoundTripKeepsEveryKindsBytesAndItsPlace) {
    Figure png = figureOf(FigureKind::Png, testing::tinyPng(), 1, 1);
    Figure jpeg = figureOf(FigureKind::Jpeg, testing::tinyJpeg(), 2, 3);
    jpeg.goalWidthTwips = 1134;  // 2 cm
    jpeg.goalHeightTwips = 1701;
    jpeg.width = {FigureWidth::Unit::Centimetres, 8.0f};
    Figure bmp = figureOf(FigureKind::Bmp, testing::tinyBmp(), 1, 1);
    Figure gif = figureOf(FigureKind::Gif, testing::tinyGif(), 1, 1);
    const StyledText text =
        withFigures({{u"电路图：", png}, {u"\r\n照片", jpeg}, {u"", bmp}, {u"动图", gif}});
    LeftOutKinds leftOut;
    const StyledText back = read(writeRtf(text), &leftOut);
    EXPECT_EQ(back.plainText(), u"电路图：\uFFFC\r\n照片\uFFFC\uFFFC动图\uFFFC完");
    EXPECT_TRUE(leftOut.empty());
    const auto figures = figuresIn(back);
    ASSERT_EQ(figures.size(), 4u);
    EXPECT_EQ(*figures[0].bytes, testing::tinyPng());
    EXPECT_EQ(*figures[1].bytes, testing::tinyJpeg());
    EXPECT_EQ(*figures[2].bytes, testing::tinyBmp());
    EXPECT_EQ(*figures[3].bytes, testing::tinyGif());
    EXPECT_EQ(figures[0].kind, FigureKind::Png);
    EXPECT_EQ(figures[1].kind, FigureKind::Jpeg);
    EXPECT_EQ(figures[2].kind, FigureKind::Bmp);
    EXPECT_EQ(figures[3].kind, FigureKind::Gif);
    EXPECT_EQ(figures[1].widthPx, 2);
    EXPECT_EQ(figures[1].heightPx, 3);
    EXPECT_EQ(figures[1].width, (FigureWidth{FigureWidth::Unit::Centimetres, 8.0f}));
    ASSERT_EQ(back.runs().size(), text.runs().size());
    for (std::size_t i = 0; i < text.runs().size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.runs()[i].text, text.runs()[i].text);
        EXPECT_EQ(back.runs()[i].format.figure, text.runs()[i].format.figure);
        EXPECT_EQ(static_cast<const Font&>(back.runs()[i].format),
                  static_cast<const Font&>(text.runs()[i].format));
    }
    EXPECT_EQ(back, text);
}

TEST(RtfFigure, PercentOfTextIsWrittenAsAScaleOfTheTextWidth) {
    Figure png = figureOf(FigureKind::Png, testing::tinyPng(), 1, 1);
    png.goalWidthTwips = 4678;  // 8.25 cm, half of the 16.5 cm text width
    png.goalHeightTwips = 4678;
    png.width = {FigureWidth::Unit::PercentOfText, 100.0f};
    const std::string rtf = writeRtf(withFigures({{u"", png}}));
    EXPECT_NE(rtf.find("\\picscalex200\\picscaley200"), std::string::npos);
    const auto figures = figuresIn(read(rtf));
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].width, (FigureWidth{FigureWidth::Unit::Centimetres, 16.5f}));
}

// The forms the word processors write, as they write them.
TEST(RtfFigure, ReadsThePictureFormsOfOtherProgramsOnce) {
    const std::string png =
        "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
        "1f15c4890000000d49444154789c63000100000500010d0a2db40000000049454e44ae426082";
    const std::string jpeg = "ffd8ffc0001108000300020301220002110103110100ffd9";
    struct Case {
        const char* name;
        std::string rtf;
        FigureKind kind;
        std::string bytes;
    } cases[] = {
        {"wordpad: bare \\pict",
         "{\\rtf1\\ansi a{\\pict\\wmetafile8\\picw26\\pich26\\picwgoal15\\pichgoal15\\pngblip\r\n" +
             png + "\r\n}b}",
         FigureKind::Png, testing::tinyPng()},
        {"word: shppict with its nonshppict copy",
         "{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}}"
         "\\picscalex100\\picscaley100\\piccropl0\\picw53\\pich79\\picwgoal30\\pichgoal45"
         "\\jpegblip\\bliptag-1{\\*\\blipuid 0123456789abcdef0123456789abcdef}" +
             jpeg + "}}{\\nonshppict{\\pict\\picscalex100\\wmetafile8\\picw53\\pich79 0100ff}}b}",
         FigureKind::Jpeg, testing::tinyJpeg()},
        {"libreoffice",
         "{\\rtf1 a{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\piccropl0\\piccropr0"
         "\\picw26\\pich26\\picwgoal15\\pichgoal15\\pngblip\n" +
             png + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}b}",
         FigureKind::Png, testing::tinyPng()},
        {"abiword",
         "{\\rtf1 a{\\pict\\pngblip\\picw1\\pich1\\picwgoal15\\pichgoal15 " + png + "}b}",
         FigureKind::Png, testing::tinyPng()},
        {"word: a floating picture, with its copy for older readers",
         "{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright900\\shpbottom1350"
         "{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv {\\pict\\picw53\\pich79"
         "\\picwgoal30\\pichgoal45\\jpegblip " +
             jpeg + "}}}}{\\shprslt{\\*\\do\\dobxcolumn\\dobypara\\dodhgt8193"
         "{\\pict\\wmetafile8 0100}}}}b}",
         FigureKind::Jpeg, testing::tinyJpeg()},
        {"binary data", "{\\rtf1 a{\\pict\\jpegblip\\bin24 " + fromHex(jpeg) + "}b}",
         FigureKind::Jpeg, testing::tinyJpeg()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeftOutKinds leftOut;
        const StyledText text = read(c.rtf, &leftOut);
        EXPECT_EQ(text.plainText(), u"a\uFFFCb");
        EXPECT_TRUE(leftOut.empty());
        const auto figures = figuresIn(text);
        ASSERT_EQ(figures.size(), 1u);
        EXPECT_EQ(figures[0].kind, c.kind);
        EXPECT_EQ(*figures[0].bytes, c.bytes);
    }
}

TEST(RtfFigure, AMetafileIsAPlaceholderWrittenBackAsItCame) {
    const std::string group =
        "{\\pict\\wmetafile8\\picw100\\pich50\\picwgoal1500\\pichgoal750 0100090000}";
    LeftOutKinds leftOut;
    const StyledText text = read("{\\rtf1 a" + group + "b}", &leftOut);
    EXPECT_EQ(text.plainText(), u"a\uFFFCb");
    EXPECT_EQ(leftOut.list(), std::vector<LeftOut>{LeftOut::UnshownPictures});
    const auto figures = figuresIn(text);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].kind, FigureKind::Other);
    EXPECT_EQ(figures[0].origin, "rtf:pict");
    EXPECT_EQ(*figures[0].bytes, group);
    const std::string again = writeRtf(text);
    EXPECT_NE(again.find(group), std::string::npos) << again;
    EXPECT_EQ(read(again), text);
}

TEST(RtfFigure, APictureBeyondTheBudgetIsAPlaceholder) {
    LeftOutKinds leftOut;
    const std::string rtf =
        "{\\rtf1 {\\pict\\pngblip " +
        std::string("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000a8520bc8") + "}}";
    const auto figures = figuresIn(read(rtf, &leftOut));
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].kind, FigureKind::Other);
    EXPECT_TRUE(leftOut.has(LeftOut::UnshownPictures));
}

TEST(RtfFigure, TextWithoutFiguresReadsAsBefore) {
    const StyledText text(u"没有图片的文字\r\n第二行");
    EXPECT_EQ(read(writeRtf(text)), text);
}

}  // namespace
}  // namespace pennory::text
