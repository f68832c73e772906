// How often text files are read in the encoding they were written in, measured over generated
// texts: GBK as this program writes it, UTF-8 as Linux editors write it.

#include "platform/text/plain_text_encoding.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <random>
#include <vector>

#include "platform/text/plain_text.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::fromUtf8;
using testing::toUtf8;

// GBK bytes through ICU itself, independent of the code under test.
std::string toGbk(std::u16string_view text) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-936-2000", &error);
    std::string out(text.size() * 4 + 4, '\0');
    const int32_t n = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                      reinterpret_cast<const UChar*>(text.data()),
                                      static_cast<int32_t>(text.size()), &error);
    ucnv_close(converter);
    out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::u16string fromGbk(std::string_view bytes) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-936-2000", &error);
    std::u16string out(bytes.size() + 1, u'\0');
    const int32_t n = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &error);
    ucnv_close(converter);
    out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(n) : 0);
    return out;
}

// GB2312 level 1: rows B0..D7 from A1, the last row ending at F9.
const std::vector<char16_t>& commonCharacters() {
    static const std::vector<char16_t> chars = [] {
        std::vector<char16_t> out;
        for (int lead = 0xB0; lead <= 0xD7; ++lead) {
            for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
                const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
                out.push_back(fromGbk(std::string_view(pair, 2)).at(0));
            }
        }
        return out;
    }();
    return chars;
}

// GB2312 level 2, the less common characters.
const std::vector<char16_t>& lessCommonCharacters() {
    static const std::vector<char16_t> chars = [] {
        std::vector<char16_t> out;
        for (int lead = 0xD8; lead <= 0xF7; ++lead) {
            for (int trail = 0xA1; trail <= 0xFE; ++trail) {
                const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
                out.push_back(fromGbk(std::string_view(pair, 2)).at(0));
            }
        }
        return out;
    }();
    return chars;
}

TEST(PlainTextEncoding, CommonCharactersAreGb2312LevelOne) {
    ASSERT_EQ(commonCharacters().size(), 3755u);
    EXPECT_EQ(commonCharacters().front(), u'啊');
    EXPECT_EQ(commonCharacters().back(), u'座');
}

// Every two-character text of the common characters, as this program writes it: the GBK bytes
// of level 1 are rows B0..D7 of A1..FE each.
TEST(PlainTextEncoding, TwoCommonCharactersInGbkReadAsGbk) {
    std::vector<std::string> codes;
    for (int lead = 0xB0; lead <= 0xD7; ++lead) {
        for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail)
            codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
    ASSERT_EQ(codes.size(), 3755u);
    const std::size_t total = codes.size() * codes.size();
    std::size_t right = 0;
    std::string text(4, '\0');
    for (const std::string& a : codes) {
        text.replace(0, 2, a);
        for (const std::string& b : codes) {
            text.replace(2, 2, b);
            if (guessPlainTextEncoding(text) == PlainTextEncoding::Gb18030) ++right;
        }
    }
    const double rate = static_cast<double>(right) / static_cast<double>(total);
    std::printf("two common characters in GBK read right: %zu of %zu (%.4f %%)\n", right, total,
                rate * 100.0);
    EXPECT_GE(rate, 0.999);
}

// Realistic manuscripts and phrases: words of common prose with punctuation, digits and line
// ends, six characters or more.
std::u16string realisticText(std::mt19937& random, std::size_t minChinese) {
    static const std::u16string_view words[] = {
        u"我们", u"今天", u"的",   u"文章", u"中国", u"发展", u"经济", u"社会", u"问题", u"已经",
        u"一个", u"工作", u"时候", u"没有", u"他们", u"可以", u"自己", u"这个", u"就是", u"学生",
        u"老师", u"研究", u"方法", u"重要", u"历史", u"文化", u"人民", u"生活", u"说",   u"看",
        u"走",   u"来",   u"去",   u"和",   u"在",   u"是",   u"了",   u"也",   u"都",   u"很",
        u"北京", u"上海", u"春天", u"秋天", u"山水", u"朋友", u"故事", u"开始", u"结束", u"电路",
        u"电阻", u"电容", u"温度", u"测量", u"结果", u"实验", u"数据", u"报告", u"第",   u"章",
        u"节",   u"年",   u"月",   u"日",   u"加密", u"密码", u"文稿", u"编辑", u"瘾",   u"慨",
        u"皓",   u"安",   u"龙",   u"凤",   u"麒麟", u"饕餮", u"蝴蝶", u"琵琶"};
    static const std::u16string_view punctuation[] = {u"，", u"。",   u"、",   u"；", u"：", u"？",
                                                      u"！", u"“",    u"”",    u"《", u"》", u"（",
                                                      u"）", u"\r\n", u"2020", u" ",  u"……"};
    std::u16string text;
    std::size_t chinese = 0;
    const std::size_t target = minChinese + random() % 200;
    while (chinese < target) {
        const auto& word = words[random() % std::size(words)];
        text += word;
        chinese += word.size();
        if (random() % 4 == 0) text += punctuation[random() % std::size(punctuation)];
    }
    return text;
}

TEST(PlainTextEncoding, RealisticGbkManuscriptsAlwaysReadAsGbk) {
    std::mt19937 random(2020);
    for (int i = 0; i < 20000; ++i) {
        const std::u16string text = realisticText(random, 6);
        ASSERT_EQ(decodePlainText(toGbk(text)), text) << toUtf8(text);
    }
}

// Phrases of six and more characters from all of GB2312, in no particular order.
TEST(PlainTextEncoding, RandomGbkPhrasesOfSixCharactersReadAsGbk) {
    std::mt19937 random(6);
    const auto& common = commonCharacters();
    const auto& rare = lessCommonCharacters();
    for (int i = 0; i < 100000; ++i) {
        std::u16string text;
        const int length = 6 + static_cast<int>(random() % 10);
        for (int k = 0; k < length; ++k) {
            text.push_back(random() % 4 == 0 ? rare[random() % rare.size()]
                                             : common[random() % common.size()]);
        }
        ASSERT_EQ(guessPlainTextEncoding(toGbk(text)), PlainTextEncoding::Gb18030) << toUtf8(text);
    }
}

TEST(PlainTextEncoding, Utf8ChineseOfAnyLengthReadsAsUtf8) {
    std::mt19937 random(8);
    const auto& common = commonCharacters();
    const auto& rare = lessCommonCharacters();
    std::size_t total = 0;
    std::size_t right = 0;
    for (int i = 0; i < 100000; ++i) {
        std::u16string text;
        const int length = 1 + i % 12;
        for (int k = 0; k < length; ++k) {
            text.push_back(random() % 8 == 0 ? rare[random() % rare.size()]
                                             : common[random() % common.size()]);
            if (random() % 6 == 0) text += u"，";
            if (random() % 10 == 0) text += u"a";
        }
        ++total;
        if (decodePlainText(toUtf8(text)) == text) ++right;
    }
    std::mt19937 prose(12);
    for (int i = 0; i < 5000; ++i) {
        const std::u16string text = realisticText(prose, 1);
        ++total;
        if (decodePlainText(toUtf8(text)) == text) ++right;
    }
    std::printf("Chinese in UTF-8 read right: %zu of %zu\n", right, total);
    EXPECT_EQ(right, total);
}

TEST(PlainTextEncoding, Utf8ChineseOfOneAndTwoCharactersReadsAsUtf8) {
    const auto& chars = commonCharacters();
    for (char16_t a : chars) {
        const std::u16string one(1, a);
        ASSERT_EQ(decodePlainText(toUtf8(one)), one);
        for (std::size_t k = 0; k < chars.size(); k += 7) {
            const std::u16string two = one + chars[k];
            ASSERT_EQ(decodePlainText(toUtf8(two)), two) << toUtf8(two);
        }
    }
}

// Parts lists, units and names from European and technical writing.
TEST(PlainTextEncoding, Utf8WithLatinAndGreekReadsExactly) {
    for (const char* utf8 : {"10kΩ ±5% 100μF", "café", "Ω", "μ", "±", "°", "×", "÷", "℃", "é",
                             "25℃ ±0.5°", "3×4÷2", "naïve façade Zürich", "αβγδε λόγος", "ΑΒΓΔ",
                             "R=4.7kΩ, C=10μF", "¼ ½ ¾", "Ærø Ødegård", "µ"}) {
        EXPECT_EQ(decodePlainText(utf8), fromUtf8(utf8)) << utf8;
    }
    std::mt19937 random(937);
    const std::u16string_view pieces[] = {u"Ω",  u"μ", u"±", u"°", u"×",  u"÷", u"℃",  u"é",
                                          u"α",  u"β", u"π", u"Δ", u"ü",  u"ß", u"à",  u"ñ",
                                          u"10", u"k", u" ", u"F", u"\n", u"V", u"mA", u"%"};
    for (int i = 0; i < 50000; ++i) {
        std::u16string text;
        const int length = 1 + static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k) text += pieces[random() % std::size(pieces)];
        ASSERT_EQ(decodePlainText(toUtf8(text)), text) << toUtf8(text);
    }
}

// The price of reading European UTF-8 exactly: the few GBK texts of one or two characters whose
// bytes are also such UTF-8 read as that.
TEST(PlainTextEncoding, ShortGbkThatIsAlsoEuropeanUtf8) {
    EXPECT_EQ(decodePlainText(toGbk(u"渭")), u"μ");
    EXPECT_EQ(decodePlainText(toGbk(u"渭渭")), u"μμ");
    // With a third character, or one that is not such, the GBK wins.
    EXPECT_EQ(decodePlainText(toGbk(u"渭文")), u"渭文");
    EXPECT_EQ(decodePlainText(toGbk(u"文")), u"文");
}

TEST(PlainTextEncoding, AsciiAndEmpty) {
    EXPECT_EQ(guessPlainTextEncoding(""), PlainTextEncoding::Utf8);
    EXPECT_EQ(guessPlainTextEncoding("plain\r\n"), PlainTextEncoding::Utf8);
}

// Only the first stretch of a large file decides; the rest is decoded as decided, and a file
// that turns out not to be UTF-8 further on is GB18030.
TEST(PlainTextEncoding, LargeFiles) {
    const std::u16string chinese = u"文稿加密，编辑器。\r\n";
    std::u16string text;
    while (text.size() < 300000) text += chinese;
    EXPECT_TRUE(decodePlainText(toGbk(text)) == text);
    EXPECT_TRUE(decodePlainText(toUtf8(text)) == text);
    // Greek in UTF-8 at first, GBK much later: not UTF-8 as a whole, so the GBK reads right.
    const std::string bytes =
        std::string(200000, 'a') + toUtf8(u"Ω") + std::string(200000, 'b') + toGbk(u"文稿");
    const std::optional<std::u16string> read = decodePlainText(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->ends_with(std::u16string(100, u'b') + u"文稿"));
    EXPECT_EQ(read->size(), 200000u + 1u + 200000u + 2u);
    // A sample cut inside a character of either encoding.
    std::u16string unbroken;
    while (unbroken.size() < 100000) unbroken += u"文稿加密编辑器";
    EXPECT_TRUE(decodePlainText(toGbk(unbroken)) == unbroken);
    EXPECT_TRUE(decodePlainText(toUtf8(unbroken)) == unbroken);
}

}  // namespace
}  // namespace pennory::text
