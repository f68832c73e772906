#include "platform/text/rtf_writer.h"

#include <gtest/gtest.h>

#include "platform/text/rtf_reader.h"

namespace pennory::text {
namespace {

CharFormat format(std::u16string font, float size) {
    CharFormat f;
    f.fontName = std::move(font);
    f.sizePt = size;
    return f;
}

// The shape a Windows rich-edit control gives Chinese text.
TEST(RtfWriter, WritesRichEditStyleRtf) {
    CharFormat first = format(u"宋体", 10.5f);
    first.bold = true;
    CharFormat second = format(u"Arial", 12.0f);
    second.underline = true;
    second.colour = rgb(255, 0, 0);
    StyledText text;
    text.append(u"文稿A{}\\", first);
    text.append(u"\r\n€\t\U0001F600\r\x01", second);

    EXPECT_EQ(writeRtf(text),
              "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl"
              "{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fnil\\fcharset134 Arial;}}\r\n"
              "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
              "\\viewkind4\\uc1\\pard\\f0\\fs21\\b \\'ce\\'c4\\'b8\\'e5A\\{\\}\\\\"
              "\\f1\\fs24\\b0\\ul\\cf1 \\par\r\n\\'80\\tab \\u-10179?\\u-8704?\\'0d\\'01"
              "\\par\r\n}\r\n");
}

TEST(RtfWriter, EmptyTextIsAnEmptyDocument) {
    const std::string rtf = writeRtf(StyledText());
    EXPECT_TRUE(looksLikeRtf(rtf));
    EXPECT_TRUE(readRtf(rtf).empty());
}

TEST(RtfWriter, FontNamesKeepEveryCharacter) {
    for (const std::u16string& name :
         {std::u16string(u"Times New Roman"), std::u16string(u"a;b{c}\\d"), std::u16string(u""),
          std::u16string(u" 楷体 \U0001F600 한"), std::u16string(u"x\r\ny\t")}) {
        const StyledText text(u"x", format(name, 12.0f));
        const StyledText back = readRtf(writeRtf(text));
        ASSERT_EQ(back.runs().size(), 1u);
        EXPECT_EQ(back.runs()[0].format.fontName, name);
    }
}

// Sizes are stored to the half point, as \fs counts them.
TEST(RtfWriter, SizesInHalfPoints) {
    struct Case {
        float written;
        float read;
    } cases[] = {{10.5f, 10.5f}, {9.0f, 9.0f},   {10.25f, 10.5f},
                 {0.0f, 0.5f},   {72.0f, 72.0f}, {100000.0f, 16383.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const StyledText back = readRtf(writeRtf(StyledText(u"x", format(u"宋体", c.written))));
        ASSERT_EQ(back.runs().size(), 1u);
        EXPECT_EQ(back.runs()[0].format.sizePt, c.read);
    }
}

TEST(RtfWriter, OnlyChangedPropertiesAreWrittenBetweenRuns) {
    CharFormat plain = format(u"宋体", 12.0f);
    CharFormat bold = plain;
    bold.bold = true;
    StyledText text;
    text.append(u"a", plain);
    text.append(u"b", bold);
    text.append(u"c", plain);
    const std::string rtf = writeRtf(text);
    EXPECT_NE(rtf.find("\\pard\\f0\\fs24 a\\b b\\b0 c\\par"), std::string::npos) << rtf;
}

}  // namespace
}  // namespace pennory::text
