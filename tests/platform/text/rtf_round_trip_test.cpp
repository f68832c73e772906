// What the writer writes, the reader reads back exactly: text, formats and run boundaries.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::toUtf8;

class RandomStyledText {
public:
    explicit RandomStyledText(unsigned seed) : m_random(seed) {}

    StyledText next() {
        StyledText text;
        const int runs = static_cast<int>(m_random() % 12);
        for (int r = 0; r < runs; ++r) text.append(randomText(), randomFormat());
        return text;
    }

private:
    int below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    std::u16string randomText() {
        std::u16string text;
        const int length = below(30);
        for (int i = 0; i < length; ++i) {
            switch (below(12)) {
                case 0:
                    text += u"\r\n";
                    break;
                case 1:
                    text.push_back(static_cast<char16_t>(below(32)));
                    break;  // controls, NUL
                case 2:
                    text.push_back(static_cast<char16_t>(0x20 + below(96)));
                    break;  // ASCII, DEL
                case 3:
                    text += u"\\{}"[below(3)];
                    break;
                case 4:
                    text.push_back(static_cast<char16_t>(0x4E00 + below(0x5200)));
                    break;
                case 5:
                    text.push_back(static_cast<char16_t>(0xE000 + below(0x1900)));
                    break;
                case 6: {  // a supplementary character as a surrogate pair
                    const int c = 0x10000 + below(0x100000);
                    text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                    text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
                    break;
                }
                case 7: {
                    constexpr char16_t kSpecial[] =
                        u"€\uF8F5\uFFFD\uFEFF\u200B\u00AD\u3000\u00A0\xD800\xDFFF";
                    text.push_back(kSpecial[below(static_cast<int>(std::size(kSpecial)) - 1)]);
                    break;
                }
                default:
                    text.push_back(static_cast<char16_t>(below(0x10000)));
                    break;  // anything
            }
        }
        return text;
    }

    CharFormat randomFormat() {
        static const std::u16string kFonts[] = {
            u"宋体", u"黑体", u"Arial", u"Times New Roman", u"", u"a;b{c}\\", u"\U0001F600字体"};
        CharFormat f;
        f.fontName = kFonts[below(static_cast<int>(std::size(kFonts)))];
        f.sizePt = static_cast<float>(1 + below(400)) / 2.0f;
        f.bold = below(2);
        f.italic = below(2);
        f.underline = below(2);
        f.strikethrough = below(2);
        f.colour = below(3) == 0 ? 0 : static_cast<Colour>(m_random() & 0xFFFFFF);
        return f;
    }

    std::mt19937 m_random;
};

TEST(RtfRoundTrip, RandomStyledText) {
    RandomStyledText generator(0x936);
    for (int round = 0; round < 3000; ++round) {
        const StyledText text = generator.next();
        const std::string rtf = writeRtf(text);
        const StyledText back = readRtf(rtf);
        ASSERT_EQ(back, text) << "round " << round << "\n"
                              << rtf << "\nread back as\n"
                              << toUtf8(back.plainText());
    }
}

TEST(RtfRoundTrip, LineBreaksAtTheEnd) {
    CharFormat f;
    for (const std::u16string& s :
         {std::u16string(u"a\r\n"), std::u16string(u"\r\n"), std::u16string(u"\r\n\r\n"),
          std::u16string(u"a\r"), std::u16string(u"a\n"), std::u16string(u"\r\na")}) {
        const StyledText text(s, f);
        EXPECT_EQ(readRtf(writeRtf(text)), text) << toUtf8(s);
    }
}

// Every character of the Basic Multilingual Plane, one run, through the writer and reader.
TEST(RtfRoundTrip, EveryCodeUnit) {
    std::u16string all;
    for (int c = 0; c < 0x10000; ++c) all.push_back(static_cast<char16_t>(c));
    const StyledText text(all, CharFormat{});
    EXPECT_EQ(readRtf(writeRtf(text)), text);
}

// The cipher writes characters 9, 12, 31 and the like; an encrypted manuscript saved as RTF
// must come back as it went out.
TEST(RtfRoundTrip, EncryptedManuscriptCharacters) {
    const StyledText text(u"\x1F\f\t蚊镐家蜜\f\t@\uE525", CharFormat{});
    EXPECT_EQ(readRtf(writeRtf(text)), text);
}

}  // namespace
}  // namespace pennory::text

namespace pennory::text {
namespace {

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) paths.push_back(entry.path().string());
    }
    return paths;
}

// Every sample and every input the fuzzers were seeded with or found: what the reader makes
// of it survives this program's own save and reopen.
TEST(RtfRoundTrip, EverySampleSurvivesASaveAndReopen) {
    const std::string fuzz = std::string(PENNORY_TEST_DATA) + "/../../fuzz";
    std::size_t count = 0;
    for (const std::string& folder : {std::string(PENNORY_TEST_DATA) + "/rtf", fuzz + "/corpus/rtf",
                                      fuzz + "/regressions/rtf"}) {
        if (!std::filesystem::is_directory(folder)) continue;
        for (const std::string& path : filesIn(folder)) {
            SCOPED_TRACE(path);
            const StyledText text = readRtf(testing::readBytes(path));
            EXPECT_TRUE(readRtf(writeRtf(text)) == text);
            ++count;
        }
    }
    EXPECT_GE(count, 20u);
}

// A font name of the greatest length the reader keeps comes back whole, in every form.
TEST(RtfRoundTrip, LongFontNamesSurvive) {
    for (const std::u16string& unit : {std::u16string(u"a"), std::u16string(u"黑"),
                                       std::u16string(u"한"), std::u16string(u"a 한")}) {
        std::u16string name;
        while (name.size() < 1024) name += unit;
        name.resize(1024);
        CharFormat format;
        format.fontName = name;
        const StyledText text(u"x", format);
        EXPECT_TRUE(readRtf(writeRtf(text)) == text);
    }
    // The 1,021-character name of the fuzzer's find.
    const StyledText back = readRtf(testing::readBytes(
        std::string(PENNORY_TEST_DATA) + "/../../fuzz/corpus/rtf/long_font_name.rtf"));
    ASSERT_EQ(back.runs().size(), 1u);
    EXPECT_EQ(back.runs()[0].format.fontName.size(), 1021u);
    EXPECT_TRUE(readRtf(writeRtf(back)) == back);
}

TEST(RtfReader, EscapeCutShortAtTheEndAddsNoCharacter) {
    EXPECT_EQ(readRtf("{\\rtf1\\ansi ab\\'c").plainText(), u"ab");
    EXPECT_EQ(readRtf("{\\rtf1\\ansi ab\\'").plainText(), u"ab");
    EXPECT_EQ(readRtf("{\\rtf1\\ansi ab\\'41").plainText(), u"abA");
}

}  // namespace
}  // namespace pennory::text
