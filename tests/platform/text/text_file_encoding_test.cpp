// Which bytes a text file gets: code page 936 as Windows has it while every character has it,
// GB18030 for the whole file as soon as one does not; and how the euro sign's byte 0x80 reads.

#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>

#include "platform/text/code_page_936.h"
#include "platform/text/code_page_936_text.h"
#include "platform/text/plain_text.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::toUtf8;

// ICU's own converter, stopping at the first byte sequence it cannot read.
std::optional<std::u16string> readStrictly(const char* converterName, std::string_view bytes) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(converterName, &error);
    if (U_FAILURE(error)) return std::nullopt;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    std::u16string out(bytes.size() + 1, u'\0');
    const int32_t n = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &error);
    ucnv_close(converter);
    if (U_FAILURE(error)) return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

TEST(EncodePlainText, KnownBytesOfTheEuroSign) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {"alone", u"€", "\x80"},
        {"price", u"价格€5",
         "\xBC\xDB\xB8\xF1\x80"
         "5"},
        {"after Chinese", u"文€", "\xCE\xC4\x80"},
        {"with a user-defined character both have", u"€\uE000", "\x80\xAA\xA1"},
        // One character code page 936 lacks: the whole file is GB18030.
        {"with Korean", u"文€\uD55C", "\xCE\xC4\xA2\xE3\x83\x36\x84\x33"},
        {"with an emoji", u"€\U0001F600", "\xA2\xE3\x94\x39\xFC\x36"},
        // Private-use characters whose code page 936 bytes GB18030 gives to other characters
        // (A2 E3 is the euro sign there) or leaves undefined (FF).
        {"U+E76C", u"\uE76C", "\x83\x36\xC7\x39"},
        {"euro and U+E76C", u"€\uE76C", "\xA2\xE3\x83\x36\xC7\x39"},
        {"U+E7C8", u"\uE7C8", "\x83\x36\xC8\x30"},
        {"U+E815", u"\uE815", "\x83\x36\xC9\x34"},
        {"U+F8F5", u"\uF8F5", "\x83\x39\xFE\x30"},
        // E4 B8 80 would be the UTF-8 of 一 and read as that.
        {"code page 936 bytes that spell UTF-8", u"涓€", "\xE4\xB8\xA2\xE3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encodePlainText(c.text), c.bytes);
        EXPECT_EQ(toUtf8(decodePlainText(c.bytes).value_or(u"(refused)")), toUtf8(c.text));
    }
}

// The byte 0x80 is the euro sign wherever a file is read as GBK or GB18030, as Windows writes
// it; in bytes that are UTF-8 it is part of a UTF-8 character.
TEST(DecodePlainText, ByteEightyIsTheEuroSign) {
    struct Case {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"\x80", u"€"},
        {"a\x80"
         "b",
         u"a€b"},
        {"\xCE\xC4\x80\r\n", u"文€\r\n"},
        {"\x80\xA2\xE3", u"€€"},
        {"\x80\x81\x30\x81\x30", u"€\u0080"},
        {"\xE4\xB8\x80", u"一"},
        {"\xE2\x82\xAC", u"€"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(toUtf8(decodePlainText(c.bytes).value_or(u"(refused)")), toUtf8(c.text));
        if (c.bytes != "\xE4\xB8\x80" && c.bytes != "\xE2\x82\xAC") {
            EXPECT_EQ(toUtf8(decodeGb18030Text(c.bytes)), toUtf8(c.text));
        }
    }
}

TEST(CodePage936Text, PrivateUseCharactersThatGb18030ReadsOtherwise) {
    EXPECT_TRUE(cp936::readsBackAsGb18030(u'€'));
    EXPECT_TRUE(cp936::readsBackAsGb18030(u'文'));
    EXPECT_TRUE(cp936::readsBackAsGb18030(u'A'));
    EXPECT_TRUE(cp936::readsBackAsGb18030(u'\0'));
    // The user-defined areas proper (AA A1.., F8 A1.., A1 40..) mean the same in both.
    for (int c = 0xE000; c <= 0xE765; ++c) {
        EXPECT_TRUE(cp936::readsBackAsGb18030(static_cast<char16_t>(c))) << std::hex << c;
    }
    for (char16_t c : {u'\uE76C', u'\uE7C7', u'\uE7C8', u'\uE7E7', u'\uE7F3', u'\uE815', u'\uE81A',
                       u'\uE863', u'\uF8F5'}) {
        EXPECT_FALSE(cp936::readsBackAsGb18030(c)) << std::hex << int(c);
    }
    int differ = 0;
    for (int c = 0xE766; c <= 0xF8FF; ++c) {
        const auto u = static_cast<char16_t>(c);
        if (cp936::representable(u) && !cp936::readsBackAsGb18030(u)) ++differ;
    }
    EXPECT_EQ(differ, 83);
    EXPECT_FALSE(cp936::readsBackAsGb18030(u'\uD55C'));
    EXPECT_FALSE(cp936::readsBackAsGb18030(u'\xD800'));
}

// Characters code page 936 has outside the private-use area, where it and GB18030 agree on
// every character.
char16_t codePage936Character(std::mt19937& random) {
    for (;;) {
        const auto c = static_cast<char16_t>(0x80 + random() % 0xFF80);
        if ((c < 0xE000 || c > 0xF8FF) && cp936::representable(c)) return c;
    }
}

std::u16string generatedCodePage936Text(std::mt19937& random) {
    // 文 (CE C4) is never UTF-8, so no text is taken for UTF-8.
    std::u16string text = u"文";
    const int length = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
        switch (random() % 6) {
            case 0:
                text += u'€';
                break;
            case 1:
                text += u"\r\n";
                break;
            case 2:
                text.push_back(static_cast<char16_t>(0x20 + random() % 95));
                break;
            default:
                text.push_back(codePage936Character(random));
        }
    }
    text += u'€';
    return text;
}

TEST(PlainText, GeneratedCodePage936TextsAreWrittenAsCodePage936) {
    std::mt19937 random(9360);
    for (int round = 0; round < 2000; ++round) {
        const std::u16string text = generatedCodePage936Text(random);
        SCOPED_TRACE(toUtf8(text));
        const std::string bytes = encodePlainText(text);
        ASSERT_EQ(readStrictly("windows-936-2000", bytes), text);
        ASSERT_EQ(decodePlainText(bytes), text);
    }
}

TEST(PlainText, OneCharacterOutsideCodePage936MakesTheFileGb18030) {
    std::mt19937 random(18030);
    const std::u16string outside[] = {u"\uD55C", u"\U0001F600", u"\uE76C", u"\uE815",
                                      u"\uF8F5", u"\u0100",     u"\u20A9"};
    for (int round = 0; round < 2000; ++round) {
        std::u16string text = generatedCodePage936Text(random);
        const std::u16string& other = outside[random() % std::size(outside)];
        text.insert(random() % (text.size() + 1), other);
        SCOPED_TRACE(toUtf8(text));
        const std::string bytes = encodePlainText(text);
        // GB18030 proper, which has no byte 0x80: the euro signs are A2 E3.
        ASSERT_EQ(readStrictly("gb18030", bytes), text);
        ASSERT_EQ(decodePlainText(bytes), text);
    }
}

// Another program reading Windows code page 936: ICU's uconv, stopping at anything it cannot
// read, gives back every character both encodings agree on, the euro sign included.
TEST(EncodePlainText, UconvReadsCodePage936FilesWritten) {
    if (std::system("command -v uconv >/dev/null 2>&1") != 0) GTEST_SKIP() << "no uconv";
    std::u16string text = u"文稿€\r\n";
    for (int c = 0x80; c < 0x10000; ++c) {
        const bool remapped = (c >= 0xE766 && c <= 0xE864) || c == 0xF8F5;
        if (!remapped && cp936::representable(static_cast<char16_t>(c)))
            text.push_back(static_cast<char16_t>(c));
    }
    const std::string folder = ::testing::TempDir();
    const std::string in = folder + "/pennory-uconv-in.txt";
    const std::string out = folder + "/pennory-uconv-out.txt";
    std::ofstream(in, std::ios::binary) << encodePlainText(text);
    ASSERT_EQ(std::system(("uconv -f windows-936-2000 --callback stop -t UTF-8 '" + in + "' > '" +
                           out + "'")
                              .c_str()),
              0);
    EXPECT_EQ(testing::readBytes(out), toUtf8(text));
    std::remove(in.c_str());
    std::remove(out.c_str());
}

}  // namespace
}  // namespace pennory::text
