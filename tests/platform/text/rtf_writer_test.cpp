#include "platform/text/rtf_writer.h"

#include <gtest/gtest.h>

#include <cctype>

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
              "{\\*\\generator Pennory;}\\viewkind4\\uc1\\pard"
              "\\loch\\f0\\hich\\af0\\dbch\\af0\\fs21\\b "
              "\\uc2\\u25991\\'ce\\'c4\\u31295\\'b8\\'e5A\\{\\}\\\\"
              "\\loch\\f1\\hich\\af1\\dbch\\af1\\fs24\\b0\\ul\\cf1 \\par\r\n"
              "\\uc1\\u8364\\'80\\tab \\u-10179?\\u-8704?\\'0d\\'01\\par\r\n}\r\n");
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
    EXPECT_NE(rtf.find("\\pard\\loch\\f0\\hich\\af0\\dbch\\af0\\fs24 a\\b b\\b0 c\\par"),
              std::string::npos)
        << rtf;
}

// Every non-ASCII character is \uN, for readers that take \'hh as code page 1252, followed by
// its code page 936 bytes (or '?') for readers that ignore \u; \ucN counts those.
TEST(RtfWriter, NonAsciiCharactersAsUnicodeWithCodePageFallback) {
    struct Case {
        std::u16string text;
        const char* written;
    } cases[] = {
        {u"中", "\\uc2\\u20013\\'d6\\'d0"},
        {u"中文", "\\uc2\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4"},
        {u"é", "\\uc2\\u233\\'a8\\'a6"},
        {u"Ω", "\\uc2\\u937\\'a6\\'b8"},
        // User-defined characters (what the cipher makes of U+3000) keep their character.
        {u"\uE525", "\\uc2\\u-6875\\'a1\\'a0"},
        // One fallback byte or '?': \uc1, in effect from the document's start.
        {u"€a中", "\\u8364\\'80a\\uc2\\u20013\\'d6\\'d0"},
        {u"한", "\\u-10916?"},
        {u"\uFFFF", "\\u-1?"},
        {u"中€", "\\uc2\\u20013\\'d6\\'d0\\uc1\\u8364\\'80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const std::string rtf = writeRtf(StyledText(c.text));
        const std::size_t start = rtf.find("\\fs18 ") + 6;
        EXPECT_EQ(rtf.substr(start, rtf.find("\\par", start) - start), c.written);
        EXPECT_EQ(readRtf(rtf).plainText(), c.text);
    }
}

// A reader that ignores \u reads the code page bytes: the same characters.
TEST(RtfWriter, FallbackAloneGivesTheText) {
    const std::u16string text = u"第一章　开端，“你好”……€αβ";
    std::string rtf = writeRtf(StyledText(text));
    std::string withoutUnicode;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf.compare(i, 2, "\\u") == 0 && i + 2 < rtf.size() &&
            (rtf[i + 2] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i + 2])))) {
            i += 2;
            while (i + 1 < rtf.size() &&
                   (rtf[i + 1] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i + 1]))))
                ++i;
            continue;
        }
        withoutUnicode.push_back(rtf[i]);
    }
    EXPECT_EQ(withoutUnicode.find("\\u2"), std::string::npos);
    EXPECT_EQ(readRtf(withoutUnicode).plainText(), text);
}

// Font names stay in the rich-edit form: code page bytes, \uN? only where the code page has no
// bytes, never \uc in the table.
TEST(RtfWriter, FontTableNamesAsCodePageBytes) {
    StyledText text;
    text.append(u"a", format(u"黑体", 12.0f));
    text.append(u"b", format(u"맑은 고딕", 12.0f));
    const std::string rtf = writeRtf(text);
    const std::string table = rtf.substr(0, rtf.find("{\\colortbl"));
    EXPECT_NE(table.find("{\\f0\\fnil\\fcharset134 \\'ba\\'da\\'cc\\'e5;}"), std::string::npos)
        << table;
    EXPECT_NE(table.find("{\\f1\\fnil\\fcharset134 \\u-17967?\\u-14528?\\'20\\u-21280?\\u-19179?;}"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.find("\\uc"), std::string::npos);
}

// A font is named for Latin and Chinese text alike, as other word processors look for it.
TEST(RtfWriter, FontIsAlsoTheAssociatedEastAsianFont) {
    StyledText text;
    text.append(u"甲", format(u"宋体", 12.0f));
    text.append(u"乙", format(u"黑体", 12.0f));
    const std::string rtf = writeRtf(text);
    EXPECT_NE(rtf.find("\\loch\\f0\\hich\\af0\\dbch\\af0"), std::string::npos);
    EXPECT_NE(rtf.find("\\loch\\f1\\hich\\af1\\dbch\\af1"), std::string::npos);
    const StyledText back = readRtf(rtf);
    EXPECT_EQ(back, text);
}

// Blanks are written as they are; the generator group keeps LibreOffice from reading two in a
// row as six-per-em spaces.
TEST(RtfWriter, BlanksAsTheyAreWithAGenerator) {
    const std::string rtf = writeRtf(StyledText(u"a  b   c"));
    EXPECT_NE(rtf.find("{\\*\\generator Pennory;}"), std::string::npos);
    EXPECT_NE(rtf.find(" a  b   c\\par"), std::string::npos) << rtf;
}

}  // namespace
}  // namespace pennory::text
