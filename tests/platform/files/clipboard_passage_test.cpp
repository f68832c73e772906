// A passage on the clipboard: the text other programs get, Pennory's own form beside it only
// when a figure is in it, and that form read back only while it belongs to the text.

#include "platform/files/clipboard_passage.h"

#include <gtest/gtest.h>

#include "support/picture_files.h"

namespace pennory::files {
namespace {

using text::CharFormat;
using text::StyledText;

const CharFormat kBody{u"宋体", 10.5f};
const CharFormat kBold{u"黑体", 14.0f, true};

text::Figure photo(int width, int height, text::FigureWidth shown = {}) {
    text::Figure figure;
    figure.kind = text::FigureKind::Png;
    figure.bytes = std::make_shared<const std::string>(testing::pictures::png(width, height));
    figure.widthPx = width;
    figure.heightPx = height;
    figure.width = shown;
    return figure;
}

CharFormat holding(const text::Figure& figure) {
    CharFormat format = kBody;
    format.figure = text::FigureRef(figure);
    return format;
}

// "电路：" [figure] "\r\n说明" in bold.
StyledText passageWithFigure(const text::Figure& figure) {
    StyledText passage(u"电路：", kBody);
    passage.append(u"\uFFFC", holding(figure));
    passage.append(u"\r\n说明", kBold);
    return passage;
}

std::vector<text::Figure> figuresIn(const StyledText& text) {
    std::vector<text::Figure> out;
    for (const auto& run : text.runs()) {
        for (char16_t c : run.text) {
            if (c == text::kObjectCharacter && run.format.figure) out.push_back(*run.format.figure);
        }
    }
    return out;
}

TEST(ClipboardPassage, TextAloneGoesAsTextOnly) {
    struct Row {
        StyledText passage;
        std::u16string_view lineBreak;
        std::u16string text;
    };
    StyledText formatted(u"粗体\r\n", kBold);
    formatted.append(u"正文", kBody);
    const Row rows[] = {
        {StyledText(u"电阻电容", kBody), u"\r\n", u"电阻电容"},
        {formatted, u"\r\n", u"粗体\r\n正文"},
        {formatted, u"\n", u"粗体\n正文"},
        // A typed U+FFFC is a character, not a figure: it stays.
        {StyledText(u"a\uFFFCb", kBody), u"\r\n", u"a\uFFFCb"},
        {StyledText(), u"\r\n", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
        const ClipboardPassage got = clipboardPassage(row.passage, row.lineBreak);
        EXPECT_EQ(got.text, row.text);
        EXPECT_FALSE(got.styled.has_value());
    }
}

TEST(ClipboardPassage, AFigureLeavesTheTextAndGoesBesideItAsRtf) {
    const ClipboardPassage got = clipboardPassage(passageWithFigure(photo(3, 2)));
    EXPECT_EQ(got.text, u"电路：\r\n说明");
    ASSERT_TRUE(got.styled);
    EXPECT_EQ(got.styled->rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(clipboardPassage(passageWithFigure(photo(3, 2)), u"\n").text, u"电路：\n说明");
}

TEST(ClipboardPassage, WithinTheProgramThePassageComesBackExactly) {
    // A width in percent, and a placeholder from a DOCX file, which RTF has no form for.
    const text::Figure figure = photo(5, 4, {text::FigureWidth::Unit::PercentOfText, 50.0f});
    text::Figure emf;
    emf.kind = text::FigureKind::Other;
    emf.bytes = std::make_shared<const std::string>("\x01\x00\x00\x00emf", 7);
    emf.goalWidthTwips = 1440;
    emf.goalHeightTwips = 720;
    emf.origin = "docx:image/x-emf";
    StyledText passage = passageWithFigure(figure);
    passage.append(u"\uFFFC", holding(emf));

    const ClipboardPassage put = clipboardPassage(passage);
    ASSERT_TRUE(put.styled);
    const auto got = passageToPaste(put.text, *put.styled);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, passage);
    const auto figures = figuresIn(*got);
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].width, (text::FigureWidth{text::FigureWidth::Unit::PercentOfText, 50.0f}));
    EXPECT_EQ(figures[1].origin, "docx:image/x-emf");
}

TEST(ClipboardPassage, BytesFromAnotherRunOfTheProgramAreReadAsRtf) {
    const text::Figure figure = photo(5, 4, {text::FigureWidth::Unit::Centimetres, 2.0f});
    const std::string elsewhere = clipboardPassage(passageWithFigure(figure)).styled.value();
    // This run gives bytes of its own since.
    clipboardPassage(passageWithFigure(photo(2, 2)));

    const auto got = passageToPaste(u"电路：\n说明", elsewhere);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->plainText(), u"电路：\uFFFC\r\n说明");
    const auto figures = figuresIn(*got);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(*figures[0].bytes, testing::pictures::png(5, 4));
    EXPECT_EQ(figures[0].kind, text::FigureKind::Png);
    EXPECT_EQ(figures[0].width, (text::FigureWidth{text::FigureWidth::Unit::Centimetres, 2.0f}));
    ASSERT_EQ(got->runs().size(), 3u);
    EXPECT_EQ(got->runs()[2].format.fontName, u"黑体");
    EXPECT_TRUE(got->runs()[2].format.bold);
    EXPECT_EQ(got->runs()[2].format.sizePt, 14.0f);
}

TEST(ClipboardPassage, TheStyledFormIsTakenOnlyWithItsOwnText) {
    const ClipboardPassage put = clipboardPassage(passageWithFigure(photo(3, 2)));
    ASSERT_TRUE(put.styled);
    struct Row {
        std::u16string_view clipboardText;
        bool taken;
    };
    const Row rows[] = {
        {u"电路：\r\n说明", true},
        // The desktop may have changed the line breaks on the way.
        {u"电路：\n说明", true},
        // Text another copy put there since: the bytes beside it are left over.
        {u"别的文字", false},
        {u"电路：\r\n说明。", false},
        {u"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.clipboardText.begin(), row.clipboardText.end()));
        EXPECT_EQ(passageToPaste(row.clipboardText, *put.styled).has_value(), row.taken);
    }
    EXPECT_FALSE(passageToPaste(u"电路", "not rtf at all"));
    EXPECT_FALSE(passageToPaste(u"", ""));
}

TEST(ClipboardPassage, ReplacementsInsertEveryRunWithItsFormatThenRemoveTheSelection) {
    const text::Figure figure = photo(3, 2);
    const auto got = passageReplacements(passageWithFigure(figure), 4, 2);
    const std::vector<text::Replacement> expected = {
        {4, 0, u"电路：", kBody},
        {4, 0, u"\uFFFC", holding(figure)},
        {4, 0, u"\r\n说明", kBold},
        {4, 2, u"", std::nullopt},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(passageReplacements(StyledText(u"字", kBody), 0, 0),
              (std::vector<text::Replacement>{{0, 0, u"字", kBody}}));
}

}  // namespace
}  // namespace pennory::files
