#include "platform/text/code_page_936.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <memory>

namespace pennory::text::cp936 {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openIcu() {
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-936-2000", &error));
    EXPECT_TRUE(U_SUCCESS(error));
    return converter;
}

std::u16string shifted(std::u16string_view text, int delta) {
    std::u16string out;
    for (char16_t c : text)
        out.push_back(charOfCode(static_cast<std::int16_t>(charCode(c) + delta)));
    return out;
}

// The cipher's worked examples: one position down in the code page, then up again.
TEST(CodePage936, CipherExamplesShiftByOneCode) {
    struct Case {
        std::u16string plain;
        std::u16string down;
    } cases[] = {
        {u"A", u"@"},   {u"\r\n", u"\f\t"}, {u" ", u"\x1F"}, {u"文稿加密", u"蚊镐家蜜"},
        {u"并", u"病"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case of length " << c.plain.size());
        EXPECT_EQ(shifted(c.plain, -1), c.down);
    }
    EXPECT_EQ(shifted(u"蚊镐家蜜", +1), u"文稿加密");
    EXPECT_EQ(shifted(u"@\f\t\x1F", +1), u"A\r\n ");
}

TEST(CodePage936, CodesOfOneAndTwoByteCharacters) {
    EXPECT_EQ(charCode(u'A'), 65);
    EXPECT_EQ(charCode(u'\0'), 0);
    EXPECT_EQ(charCode(u'\u20AC'), 0x80);  // euro sign, the one-byte 0x80 of Windows
    EXPECT_EQ(charCode(u'文'), 0xCE * 256 + 0xC4 - 65536);
    EXPECT_EQ(charCode(u'病'), 0xB2 * 256 + 0xA1 - 65536);
    EXPECT_EQ(charCode(u'\u3000'), 0xA1 * 256 + 0xA1 - 65536);
}

TEST(CodePage936, UnrepresentableCharactersTakeTheQuestionMark) {
    // Korean, a lone surrogate of either kind, and characters ICU converts to no bytes at all.
    for (char16_t c : {char16_t(0xD55C), char16_t(0xD83D), char16_t(0xDE00), char16_t(0x200B),
                       char16_t(0xFEFF), char16_t(0x00AD), char16_t(0x0080)}) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(charCode(c), 63);
        EXPECT_FALSE(representable(c));
    }
    EXPECT_TRUE(representable(u'?'));
    EXPECT_TRUE(representable(u'中'));
}

// U+3000 lands on A1 A0, a user-defined code, which must map to a character of its own so that
// decryption finds the way back.
TEST(CodePage936, UserDefinedAreaSurvivesTheShift) {
    const char16_t down = shifted(u"\u3000", -1)[0];
    EXPECT_GE(down, 0xE000);
    EXPECT_LE(down, 0xF8FF);
    EXPECT_EQ(charCode(down), 0xA1 * 256 + 0xA0 - 65536);
    EXPECT_EQ(shifted(std::u16string(1, down), +1), u"\u3000");
}

TEST(CodePage936, CharOfCodeAgreesWithIcuForEveryCode) {
    Converter icu = openIcu();
    for (int code = -32768; code <= 255; ++code) {
        char bytes[2];
        int length = 1;
        if (code >= 0) {
            bytes[0] = static_cast<char>(code);
        } else {
            bytes[0] = static_cast<char>((code + 65536) >> 8);
            bytes[1] = static_cast<char>((code + 65536) & 0xFF);
            length = 2;
        }
        UChar out[4];
        UErrorCode error = U_ZERO_ERROR;
        ucnv_resetToUnicode(icu.get());
        const int n = ucnv_toUChars(icu.get(), out, 4, bytes, length, &error);
        // Documented choice: the first unit ICU produces, U+FFFD when it produces none.
        const char16_t expected = n > 0 ? out[0] : u'\uFFFD';
        ASSERT_EQ(charOfCode(static_cast<std::int16_t>(code)), expected) << "code " << code;
    }
}

TEST(CodePage936, CharCodeAgreesWithIcuForEveryCharacter) {
    Converter icu = openIcu();
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(icu.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    int twoByte = 0;
    for (int c = 0; c < 0x10000; ++c) {
        const UChar unit = static_cast<UChar>(c);
        char out[8];
        error = U_ZERO_ERROR;
        ucnv_resetFromUnicode(icu.get());
        const int n = ucnv_fromUChars(icu.get(), out, sizeof out, &unit, 1, &error);
        int expected = 63;
        if (U_SUCCESS(error) && n == 1) expected = static_cast<unsigned char>(out[0]);
        if (U_SUCCESS(error) && n == 2) {
            expected = static_cast<unsigned char>(out[0]) * 256 +
                       static_cast<unsigned char>(out[1]) - 65536;
            ++twoByte;
        }
        ASSERT_EQ(charCode(unit), expected) << "U+" << std::hex << c;
    }
    EXPECT_GT(twoByte, 21000);  // GBK has about 21,900 two-byte characters
}

// Every character with a code comes back from that code: the cipher's shift is reversible for
// all characters except those next to the excepted ones.
TEST(CodePage936, EveryRepresentableCharacterComesBackFromItsCode) {
    int checked = 0;
    for (int c = 0; c < 0x10000; ++c) {
        const char16_t unit = static_cast<char16_t>(c);
        if (!representable(unit)) continue;
        ASSERT_EQ(charOfCode(charCode(unit)), unit) << "U+" << std::hex << c;
        ++checked;
    }
    EXPECT_GT(checked, 22000);
}

TEST(CodePage936, WholeTextConversion) {
    const std::u16string text = u"文稿 A\r\n€\u3000\uE000";
    const std::string bytes = encode(text);
    EXPECT_EQ(bytes, "\xCE\xC4\xB8\xE5 A\r\n\x80\xA1\xA1\xAA\xA1");
    EXPECT_EQ(decode(bytes), text);
    // One '?' per character the code page lacks, a surrogate pair being one character.
    EXPECT_EQ(encode(u"a\U0001F600b\uD55C\xDC00"), "a?b??");
}

TEST(CodePage936, DecodeSubstitutesInvalidSequences) {
    EXPECT_EQ(decode("\x81"), u"\uFFFD");  // a lead byte without its trail
    EXPECT_EQ(decode("\x81\x30"
                     "a"),
              u"\uFFFD"
              u"0a");
    EXPECT_EQ(decode(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

}  // namespace
}  // namespace pennory::text::cp936
