#include "platform/text/rtf_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::toUtf8;

std::string header(std::string_view fonts = "{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}") {
    return "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl" + std::string(fonts) + "}";
}

std::u16string plain(std::string_view rtf) { return readRtf(rtf).plainText(); }

TEST(RtfReader, TextOfSmallDocuments) {
    struct Case {
        std::string rtf;
        std::u16string text;
    } cases[] = {
        {header() + "\\f0 \\'ce\\'c4\\'b8\\'e5\\par\r\n}", u"文稿"},
        // Each \par a line break; the last one closes the document and is no line.
        {header() + "a\\par b\\par\\par}", u"a\r\nb\r\n"},
        {header() + "a\\par\\pard\\plain\\f0\\fs30 }", u"a"},
        {header() + "a\\par{\\b b}}", u"a\r\nb"},
        {header() + "a\\line b\\line}", u"a\r\nb\r\n"},
        {header() + "\\tab x\\'09y}", u"\tx\ty"},
        // Raw lead and trail bytes form a character as well as escaped ones.
        {header() + "\\'d6\xd0 \xd6\xd0}", u"中 中"},
        // Control characters written as \'hh stay characters, CR and LF included.
        {header() + "\\'0c\\'09\\'1f\\'0d\\'0a\\'00}", std::u16string(u"\f\t\x1F\r\n\0", 6)},
        // Unicode with fallbacks: \uc1 default, \uc2 two fallback bytes, \uc0 none.
        {"{\\rtf1\\ansi \\u20013?\\u25991?{\\uc2\\u20013\\'d6\\'d0}{\\uc0\\u20013}x}",
         u"中文中中x"},
        // Unsigned values above 32767, out of range values, lone and paired surrogates.
        {"{\\rtf1 \\u40000?\\u70000?\\u-10179?\\u-8704?\\u-9000?}",
         std::u16string(u"\u9C40\uFFFD\U0001F600") + char16_t(0xDCD8)},
        // A group ends the fallback early.
        {"{\\rtf1 {\\uc3\\u20013?}ab}", u"中ab"},
        // Symbols.
        {"{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\-\\_}",
         u"—–‘’“”•\u00A0\u00AD\u2011"},
        {"{\\rtf1 \\{\\}\\\\}", u"{}\\"},
        // Fields show their result, not their instructions.
        {"{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}b}", u"alinkb"},
        // Destinations whose content is not text; a picture of no known form is a placeholder.
        {"{\\rtf1{\\info{\\title t}}{\\stylesheet{\\s1 h;}}{\\*\\foo bar}{\\pict 0a0b}"
         "{\\header h}{\\footer f}{\\colortbl;\\red1;}x}",
         u"\uFFFCx"},
        // \bin data is taken whatever bytes it holds, braces included.
        {"{\\rtf1{\\pict\\bin4 }}{}}x}", u"\uFFFCx"},
        // A \ before a line end is a paragraph.
        {"{\\rtf1 a\\\nb}", u"a\r\nb"},
        // LF-only and unterminated files.
        {"{\\rtf1\n{\\fonttbl{\\f0 Arial;}}\n\\f0 a\n\\par\nb", u"a\r\nb"},
        {"{\\rtf1 abc", u"abc"},
        {"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(toUtf8(plain(c.rtf)), toUtf8(c.text));
        EXPECT_EQ(plain(c.rtf), c.text);
    }
}

TEST(RtfReader, DefaultsAreTheDefaultFontAt12Points) {
    const StyledText t = readRtf(
        "{\\rtf1\\ansi\\ansicpg936\\deff3{\\fonttbl{\\f0\\fnil Arial;}"
        "{\\f3\\fnil\\fcharset134 \\'ba\\'da\\'cc\\'e5;}}x}");
    ASSERT_EQ(t.runs().size(), 1u);
    EXPECT_EQ(t.runs()[0].format.fontName, u"黑体");
    EXPECT_EQ(t.runs()[0].format.sizePt, 12.0f);
    EXPECT_EQ(t.runs()[0].format.colour, 0u);
    EXPECT_FALSE(t.runs()[0].format.bold);
}

TEST(RtfReader, CharacterFormats) {
    const StyledText t = readRtf(
        header("{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss\\fcharset0 Arial;}") +
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
        "\\f1\\fs21 a\\b b\\b0\\i c\\i0\\ul d\\ulnone\\strike e\\strike0\\cf1 f\\cf2 g\\cf0\\ulw h"
        "\\ul0 {\\b\\f0\\fs48 i}j\\plain k}");
    auto format = [](const char16_t* font, float size) {
        CharFormat f;
        f.fontName = font;
        f.sizePt = size;
        return f;
    };
    CharFormat a = format(u"Arial", 10.5f);
    CharFormat b = a;
    b.bold = true;
    CharFormat c = a;
    c.italic = true;
    CharFormat d = a;
    d.underline = true;
    CharFormat e = a;
    e.strikethrough = true;
    CharFormat f = a;
    f.colour = rgb(255, 0, 0);
    CharFormat g = a;
    g.colour = rgb(0, 128, 255);
    CharFormat h = a;
    h.underline = true;
    CharFormat i = format(u"宋体", 24.0f);
    i.bold = true;
    CharFormat k = format(u"宋体", 12.0f);
    StyledText expected;
    const std::vector<std::pair<std::u16string, CharFormat>> pieces = {
        {u"a", a}, {u"b", b}, {u"c", c}, {u"d", d}, {u"e", e}, {u"f", f},
        {u"g", g}, {u"h", h}, {u"i", i}, {u"j", a}, {u"k", k}};
    for (const auto& [text, fmt] : pieces) expected.append(text, fmt);
    EXPECT_EQ(t, expected);
}

TEST(RtfReader, FontTableForms) {
    // Entries without groups, \falt and \panose skipped, names in the font's own code page,
    // \cpg over \fcharset, \uN in a name, a ';' escaped as \'3b.
    const StyledText t = readRtf(
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Arial;\\f1\\fnil\\fcharset134"
        "{\\*\\falt SimSun}{\\*\\panose 02010600030101010101}\\'cb\\'ce\\'cc\\'e5;"
        "{\\f2\\fcharset0\\cpg936 \\'ba\\'da\\'cc\\'e5;}{\\f3 \\u26999?\\u20307? A\\'3bB;}}"
        "\\f0 a\\f1 b\\f2 c\\f3 d}");
    ASSERT_EQ(t.runs().size(), 4u);
    EXPECT_EQ(t.runs()[0].format.fontName, u"Arial");
    EXPECT_EQ(t.runs()[1].format.fontName, u"宋体");
    EXPECT_EQ(t.runs()[2].format.fontName, u"黑体");
    EXPECT_EQ(t.runs()[3].format.fontName, u"楷体 A;B");
}

TEST(RtfReader, BytesFollowTheCodePageOfTheFont) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 S;}{\\f1\\fcharset0 A;}"
        "{\\f2\\fcharset136 B;}{\\f3\\fcharset128 J;}{\\f4\\fcharset1 D;}}"
        "\\f0\\'d6\\'d0\\f1\\'e9\\f2\\'a4\\'a4\\f3\\'93\\'fa\\f4\\'ce\\'c4}";
    EXPECT_EQ(plain(rtf), u"中é中日文");
    // Without \ansicpg the document's code page is Windows-1252.
    EXPECT_EQ(plain("{\\rtf1\\ansi \\'e9}"), u"é");
}

// LibreOffice writes the bold, size and font of Chinese text as associated properties after
// \dbch; Word writes \loch\af \hich\af \dbch\af to give each kind of character its font.
TEST(RtfReader, AssociatedPropertiesOfChineseText) {
    const std::string fonts =
        "{\\f0\\fcharset0 Times;}{\\f1\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f2\\fcharset134 "
        "\\'ba\\'da\\'cc\\'e5;}";
    const std::string rtf =
        header(fonts) +
        "\\f0\\fs24 {\\rtlch\\ab\\afs40 \\ltrch\\dbch\\ab\\afs32\\af2\\dbch "
        "\\u20013?\\u25991?}{\\loch a}{\\rtlch\\ai \\ltrch\\dbch\\i\\dbch \\u23383?}"
        "{\\loch\\af0\\hich\\af0\\dbch\\af1 \\u23383?b}}";
    const StyledText t = readRtf(rtf);
    ASSERT_EQ(t.runs().size(), 5u) << toUtf8(t.plainText());
    const auto& r = t.runs();
    EXPECT_EQ(r[0].text, u"中文");
    EXPECT_EQ(r[0].format.fontName, u"黑体");
    EXPECT_TRUE(r[0].format.bold);
    EXPECT_EQ(r[0].format.sizePt, 16.0f);
    EXPECT_EQ(r[1].text, u"a");
    EXPECT_EQ(r[1].format.fontName, u"Times");
    EXPECT_FALSE(r[1].format.bold);
    EXPECT_EQ(r[1].format.sizePt, 12.0f);
    EXPECT_EQ(r[2].text, u"字");
    EXPECT_TRUE(r[2].format.italic);
    EXPECT_EQ(r[3].text, u"字");
    EXPECT_EQ(r[3].format.fontName, u"宋体");
    EXPECT_EQ(r[4].text, u"b");
    EXPECT_EQ(r[4].format.fontName, u"Times");
}

TEST(RtfReader, UnicodeDestinationOfUpr) {
    EXPECT_EQ(plain("{\\rtf1 {\\upr{ansi text}{\\*\\ud{\\u20013?}}}x}"), u"中x");
}

TEST(RtfReader, TrailingDataAfterTheDocument) {
    EXPECT_EQ(plain(std::string("{\\rtf1 a\\par}\r\n\0", 16)), u"a");
    // Text after a brace too many is still the writer's text.
    EXPECT_EQ(plain("{\\rtf1 a}}b}"), u"ab");
}

TEST(RtfReader, LooksLikeRtf) {
    EXPECT_TRUE(looksLikeRtf("{\\rtf1\\ansi"));
    EXPECT_TRUE(looksLikeRtf("{\\rtf"));
    EXPECT_FALSE(looksLikeRtf("{\\rt"));
    EXPECT_FALSE(looksLikeRtf(" {\\rtf1"));
    EXPECT_FALSE(looksLikeRtf("\xEF\xBB\xBF{\\rtf1"));
}

// Hostile and damaged input: no crash, bounded work, and the text that is there.
TEST(RtfReaderRobustness, MillionNestedGroups) {
    std::string rtf = "{\\rtf1 ";
    rtf += std::string(1000000, '{');
    rtf += "\\b deep";
    rtf += std::string(1000000, '}');
    rtf += " after}";
    const StyledText t = readRtf(rtf);
    EXPECT_EQ(t.plainText(), u"deep after");
    // The deepest state is shared, but the format comes back once all groups close.
    EXPECT_FALSE(t.runs().back().format.bold);
}

TEST(RtfReaderRobustness, UnclosedMillionGroups) {
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 1000000; ++i) rtf += "{x";
    EXPECT_EQ(plain(rtf).size(), 1000000u);
}

TEST(RtfReaderRobustness, TruncatedEverywhere) {
    const std::string rtf =
        header() +
        "{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\cf1\\'ce\\'c4\\u20013?{\\b x}"
        "{\\field{\\*\\fldinst y}{\\fldrslt z}}\\bin3 abc\\par}";
    for (std::size_t n = 0; n <= rtf.size(); ++n) {
        const StyledText t = readRtf(std::string_view(rtf).substr(0, n));
        EXPECT_LE(t.length(), n);
    }
    EXPECT_EQ(plain(rtf), u"文中xz");
}

// A \' needs two hex digits. With fewer it is damaged and adds nothing, wherever it stops;
// the digit it has is dropped and what stops it reads as usual.
TEST(RtfReaderRobustness, ShortHexEscapeIsNoCharacter) {
    struct Case {
        std::string rtf;
        std::u16string text;
    } cases[] = {
        {"{\\rtf1 AB\\'4}", u"AB"},
        {"{\\rtf1 A{B\\'4}C}", u"ABC"},
        {"{\\rtf1 AB\\'4\r\n", u"AB"},
        {"{\\rtf1 AB\\'4\n", u"AB"},
        {"{\\rtf1 AB\\'4\r\nC}", u"ABC"},
        {"{\\rtf1 AB\\'4", u"AB"},
        {"{\\rtf1 AB\\'", u"AB"},
        {"{\\rtf1 AB\\'}", u"AB"},
        {"{\\rtf1 AB\\'\r\n}", u"AB"},
        {"{\\rtf1 AB\\'4\\par CD}", u"AB\r\nCD"},
        {"{\\rtf1 AB\\'g1}", u"ABg1"},
        {"{\\rtf1 AB\\'4 C}", u"AB C"},
        // Whole escapes around the damaged one are characters as usual.
        {"{\\rtf1 \\'41\\'4\\'42}", u"AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(toUtf8(plain(c.rtf)), toUtf8(c.text));
    }
}

TEST(RtfReaderRobustness, RandomBytes) {
    std::mt19937 random(20240);
    const std::string alphabet = "{}\\'*ubinpar0123456789-;abcdef \r\n\xd6\xd0";
    for (int round = 0; round < 2000; ++round) {
        std::string rtf = "{\\rtf1 ";
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            rtf.push_back(random() % 4 == 0 ? static_cast<char>(random() % 256)
                                            : alphabet[random() % alphabet.size()]);
        }
        const StyledText t = readRtf(rtf);
        EXPECT_LE(t.length(), rtf.size() * 2);
    }
}

TEST(RtfReaderRobustness, HugeTablesAreBounded) {
    std::string rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 20000; ++i) rtf += "{\\f" + std::to_string(i) + " F;}";
    rtf += "}{\\colortbl";
    for (int i = 0; i < 20000; ++i) rtf += "\\red1;";
    rtf += "}\\f19999\\cf19999 x\\f1 y}";
    const StyledText t = readRtf(rtf);
    EXPECT_EQ(t.plainText(), u"xy");
    EXPECT_EQ(t.runs().back().format.fontName, u"F");
}

}  // namespace
}  // namespace pennory::text
