// Files that other programs wrote (tests/data/rtf; see README there), read for their text and
// the formats that matter to a writer.

#include <gtest/gtest.h>

#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using namespace testing;

StyledText readSample(const std::string& name) {
    return readRtf(readBytes(dataPath("rtf/" + name + ".rtf")));
}

const StyledRun* runWith(const StyledText& text, std::u16string_view piece) {
    for (const StyledRun& run : text.runs()) {
        if (run.text.find(piece) != std::u16string::npos) return &run;
    }
    return nullptr;
}

class RtfSample : public ::testing::TestWithParam<const char*> {};

TEST_P(RtfSample, GivesItsText) {
    const std::string name = GetParam();
    const std::string rtf = readBytes(dataPath("rtf/" + name + ".rtf"));
    ASSERT_FALSE(rtf.empty());
    EXPECT_TRUE(looksLikeRtf(rtf));
    const std::u16string expected = withCrLf(fromUtf8(readBytes(dataPath("rtf/" + name + ".txt"))));
    const StyledText text = readRtf(rtf);
    EXPECT_EQ(toUtf8(text.plainText()), toUtf8(expected));
    EXPECT_EQ(text.plainText(), expected);
    // And what was read survives this program's own save.
    EXPECT_EQ(readRtf(writeRtf(text)), text);
}

INSTANTIATE_TEST_SUITE_P(Files, RtfSample,
                         ::testing::Values("libreoffice_formats", "libreoffice_from_html", "pandoc",
                                           "richedit_gbk", "cp1252_unicode", "big5_shiftjis",
                                           "destinations_fields", "word_style"));

TEST(RtfSamples, LibreOfficeFormatsOfChineseText) {
    const StyledText t = readSample("libreoffice_formats");
    const StyledRun* bold = runWith(t, u"粗体中文");
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->format.bold);
    const StyledRun* big = runWith(t, u"大号字");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->format.sizePt, 16.0f);
    const StyledRun* red = runWith(t, u"红色文字");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->format.colour, rgb(255, 0, 0));
    const StyledRun* italic = runWith(t, u"斜体下划线");
    ASSERT_NE(italic, nullptr);
    EXPECT_TRUE(italic->format.italic);
    EXPECT_TRUE(italic->format.underline);
    // The Chinese font of a run comes from \dbch\af, its name from a Shift-JIS font table entry.
    const StyledRun* heiti = runWith(t, u"黑体小五");
    ASSERT_NE(heiti, nullptr);
    EXPECT_EQ(heiti->format.fontName, u"黑体");
    EXPECT_EQ(heiti->format.sizePt, 10.5f);
    EXPECT_TRUE(heiti->format.bold);
    const StyledRun* mixed = runWith(t, u"mixed");
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->format.fontName, u"Times New Roman");
    EXPECT_FALSE(mixed->format.bold);
    const StyledRun* strike = runWith(t, u"删除线");
    ASSERT_NE(strike, nullptr);
    EXPECT_TRUE(strike->format.strikethrough);
    EXPECT_EQ(strike->format.colour, rgb(0, 0, 255));
}

TEST(RtfSamples, LibreOfficeFromHtml) {
    const StyledText t = readSample("libreoffice_from_html");
    EXPECT_TRUE(runWith(t, u"万用表")->format.bold);
    EXPECT_EQ(runWith(t, u"4.7kΩ")->format.colour, rgb(0, 128, 0));
    EXPECT_TRUE(runWith(t, u"5V")->format.italic);
    EXPECT_EQ(runWith(t, u"大标题")->format.sizePt, 18.0f);
    EXPECT_TRUE(runWith(t, u"下划线")->format.underline);
}

TEST(RtfSamples, PandocFormats) {
    const StyledText t = readSample("pandoc");
    EXPECT_EQ(runWith(t, u"标题")->format.sizePt, 18.0f);
    EXPECT_TRUE(runWith(t, u"标题")->format.bold);
    EXPECT_EQ(runWith(t, u"第一段")->format.fontName, u"Helvetica");
    EXPECT_FALSE(runWith(t, u"第一段")->format.bold);
    EXPECT_TRUE(runWith(t, u"粗体")->format.bold);
    EXPECT_TRUE(runWith(t, u"斜体")->format.italic);
    EXPECT_EQ(runWith(t, u"code")->format.fontName, u"Courier");
}

TEST(RtfSamples, RichEditFormats) {
    const StyledText t = readSample("richedit_gbk");
    EXPECT_EQ(runWith(t, u"文稿加密")->format.fontName, u"宋体");
    EXPECT_EQ(runWith(t, u"文稿加密")->format.sizePt, 12.0f);
    EXPECT_EQ(runWith(t, u"Latin")->format.fontName, u"Arial");
    EXPECT_TRUE(runWith(t, u"bold")->format.bold);
    const StyledRun* red = runWith(t, u"黑体红色");
    EXPECT_EQ(red->format.fontName, u"黑体");
    EXPECT_EQ(red->format.sizePt, 16.0f);
    EXPECT_EQ(red->format.colour, rgb(255, 0, 0));
    EXPECT_EQ(runWith(t, u"五号字")->format.sizePt, 10.5f);
    EXPECT_TRUE(runWith(t, u"斜体")->format.italic);
    EXPECT_TRUE(runWith(t, u"€")->format.underline);
    EXPECT_TRUE(runWith(t, u"\U0001F600")->format.strikethrough);
}

// Word gives each kind of character its font: \loch\f for Latin, \dbch\f for Chinese, which
// also decides the code page of the bytes.
TEST(RtfSamples, WordStyleFonts) {
    const StyledText t = readSample("word_style");
    EXPECT_EQ(runWith(t, u"Hello")->format.fontName, u"Times New Roman");
    EXPECT_EQ(runWith(t, u"Hello")->format.sizePt, 10.5f);
    const StyledRun* hello = runWith(t, u"你好");
    EXPECT_EQ(hello->format.fontName, u"宋体");
    EXPECT_TRUE(hello->format.bold);
    EXPECT_EQ(hello->format.colour, rgb(255, 0, 0));
    EXPECT_EQ(runWith(t, u"“世界”")->format.fontName, u"宋体");
    EXPECT_EQ(runWith(t, u"第二段")->format.sizePt, 16.0f);
}

TEST(RtfSamples, FontsOfOtherCodePages) {
    const StyledText t = readSample("big5_shiftjis");
    EXPECT_EQ(runWith(t, u"繁體中文")->format.fontName, u"細明體");
    EXPECT_EQ(runWith(t, u"日本語")->format.fontName, u"ＭＳ 明朝");
    EXPECT_EQ(runWith(t, u"仿宋字")->format.fontName, u"仿宋");
}

}  // namespace
}  // namespace pennory::text
