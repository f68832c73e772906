// The character substitution on its own: known answers, the excepted characters, which
// characters come back from a round trip, and the search for those that do not.

#include "protection/cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/text/code_page_936.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using protection::decryptChar;
using protection::decryptText;
using protection::encryptChar;
using protection::encryptText;
using protection::findLossyCharacters;
using protection::restorable;

// The nine characters one code above an excepted one.
constexpr std::u16string_view kIntoExcepted = u"孝犊娶并＂癣谨樱盛";
constexpr std::u16string_view kTheirExcepted = u"小毒取病！选仅英省";

// Known answers from the program's documented examples; the code page 936 bytes are those
// of the Windows table (文 CE C4 -> 蚊 CE C3, and so on).
struct KnownAnswer {
    const char* name;
    std::u16string_view plain;
    std::u16string_view scrambled;
};
const KnownAnswer kKnownAnswers[] = {
    {"letter A (65 -> 64)", u"A", u"@"},
    {"CR LF (13, 10 -> 12, 9)", u"\r\n", u"\x0C\x09"},
    {"space (32 -> 31)", u" ", u"\x1F"},
    {"文稿加密 (CE C4 B8 E5 BC D3 C3 DC)", u"文稿加密", u"蚊镐家蜜"},
    {"excepted 病", u"病", u"病"},
    {"digits", u"0129", u"/018"},
    {"tab (9 -> 8)", u"\t", u"\x08"},
    {"full-width space (A1 A1 -> A1 A0; user-defined area A140.. is U+E4C6..)", u"\u3000",
     u"\uE525"},
};

TEST(Cipher, KnownAnswersBothWays) {
    for (const auto& row : kKnownAnswers) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(encryptText(row.plain), row.scrambled);
        EXPECT_EQ(decryptText(row.scrambled), row.plain);
    }
}

TEST(Cipher, CharacterOneAboveAnExceptedOneEncryptsIntoItAndStaysThere) {
    for (std::size_t i = 0; i < kIntoExcepted.size(); ++i) {
        SCOPED_TRACE(utf8(kIntoExcepted.substr(i, 1)));
        EXPECT_EQ(encryptChar(kIntoExcepted[i]), kTheirExcepted[i]);
        EXPECT_EQ(decryptChar(encryptChar(kIntoExcepted[i])), kTheirExcepted[i]);
        EXPECT_FALSE(restorable(kIntoExcepted[i]));
    }
    EXPECT_EQ(encryptText(u"并"), u"病");
    EXPECT_EQ(decryptText(u"病"), u"病");
}

TEST(Cipher, ExceptedCharactersStayInBothDirectionsAndSurvive) {
    ASSERT_EQ(protection::kExceptedCharacters.size(), 10u);
    for (char16_t c : protection::kExceptedCharacters) {
        SCOPED_TRACE(utf8(std::u16string(1, c)));
        EXPECT_TRUE(protection::isExcepted(c));
        EXPECT_EQ(encryptChar(c), c);
        EXPECT_EQ(decryptChar(c), c);
        EXPECT_TRUE(restorable(c));
    }
    // 英 is one above 印, yet excepted itself: both survive.
    EXPECT_EQ(encryptText(u"印英"), u"印英");
    EXPECT_FALSE(protection::isExcepted(u'孝'));
}

TEST(Cipher, EveryUnitTakesPartAndKeepsItsPlace) {
    const std::u16string plain = u"第一行\r\n\t第二 行，A1！";
    const std::u16string scrambled = encryptText(plain);
    ASSERT_EQ(scrambled.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(scrambled[i], encryptChar(plain[i]));
        if (!protection::isExcepted(plain[i])) { EXPECT_NE(scrambled[i], plain[i]); }
    }
    EXPECT_EQ(encryptText(u""), u"");
    EXPECT_EQ(decryptText(u""), u"");
}

TEST(Cipher, ManuscriptTextComesBackExactly) {
    std::u16string ascii;
    for (char16_t c = 0x20; c < 0x7F; ++c) ascii += c;
    const std::u16string texts[] = {
        ascii,
        u"0123456789",
        u"，。、；：？！“”‘’（）《》【】—…·「」",
        u"第一段\r\n第二段\r\n\r\n\t缩进的第三段\r\n",
        u"\u3000\u3000本文介绍一种简单实用的电子制作：用三极管和电阻、电容组成的"
        u"多谐振荡器，输出频率约为1kHz。电路图见图1，元件清单见表1。\r\n"
        u"\u3000\u3000制作时先焊接电阻，再焊接电容和集成电路，最后通电调试。",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(utf8(text));
        EXPECT_EQ(decryptText(encryptText(text)), text);
        EXPECT_TRUE(findLossyCharacters(text, 5).empty());
    }
}

// What the code page itself says about a character, through whole-text conversion rather
// than the code tables: its bytes, and whether the bytes one code lower name a character.
struct Bytes {
    int code = 0;  // the cipher's code
    bool named = false;
};
Bytes bytesOf(char16_t c) {
    const std::string bytes = text::cp936::encode(std::u16string(1, c));
    Bytes b;
    if (bytes.size() == 1) b.code = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2) {
        b.code = static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]) -
                 65536;
    }
    return b;
}
std::string bytesOfCode(int code) {
    if (code >= 0) return std::string(1, static_cast<char>(code));
    const int u = code + 65536;
    return {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
}
// The character of a code when the code page gives exactly one that converts back to it.
std::optional<char16_t> namedCharacter(int code) {
    const std::u16string decoded = text::cp936::decode(bytesOfCode(code));
    if (decoded.size() != 1 || !text::cp936::representable(decoded[0])) return std::nullopt;
    if (text::cp936::encode(decoded) != bytesOfCode(code)) return std::nullopt;
    return decoded[0];
}

TEST(Cipher, EveryRepresentableCharacterSurvivesUnlessItsLowerNeighbourIsNoCharacter) {
    int checked = 0;
    for (int i = 0; i < 0x10000; ++i) {
        const auto c = static_cast<char16_t>(i);
        if (!text::cp936::representable(c) || protection::isExcepted(c)) continue;
        ++checked;
        const int code = bytesOf(c).code;
        const std::optional<char16_t> below = namedCharacter(code - 1);
        const bool expected =
            below && !protection::isExcepted(*below) && *below != u'\r' && *below != u'\n';
        SCOPED_TRACE(::testing::Message() << "U+" << std::hex << i);
        ASSERT_EQ(restorable(c), expected);
        if (below) { ASSERT_EQ(encryptChar(c), *below); }
        if (expected) { ASSERT_EQ(decryptChar(encryptChar(c)), c); }
    }
    // Code page 936 holds more than 21,000 two-byte characters besides ASCII.
    EXPECT_GT(checked, 21000);
}

TEST(Cipher, TheLossyCharactersAreExactlyTheKnownKinds) {
    for (int i = 0; i < 0x10000; ++i) {
        const auto c = static_cast<char16_t>(i);
        if (restorable(c)) continue;
        SCOPED_TRACE(::testing::Message() << "U+" << std::hex << i);
        if (!text::cp936::representable(c)) {
            // Takes the code of '?' and comes back as '?'.
            EXPECT_EQ(encryptChar(c), u'>');
            continue;
        }
        const int code = bytesOf(c).code;
        const int trail = (code + 65536) & 0xFF;
        const bool known = kIntoExcepted.find(c) != std::u16string_view::npos || c == u'\0' ||
                           c == u'\x0B' || c == u'\x0E' ||
                           (code < 0 && (trail == 0x40 || trail == 0x80)) ||
                           code == 0xFF;  // below it, FE alone is only a lead byte
        EXPECT_TRUE(known) << "no character below code " << code;
    }
}

TEST(Cipher, TrailBytes40And80DoNotSurvive) {
    // 81 40 is the first two-byte character: 81 3F below it is no character, nor is 81 7F
    // below 81 80. 81 41 has 81 40 below it.
    const std::u16string first = text::cp936::decode("\x81\x40");
    const std::u16string after7F = text::cp936::decode("\x81\x80");
    const std::u16string second = text::cp936::decode("\x81\x41");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(after7F.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_FALSE(restorable(first[0]));
    EXPECT_FALSE(restorable(after7F[0]));
    EXPECT_TRUE(restorable(second[0]));
    EXPECT_EQ(encryptChar(second[0]), first[0]);
}

TEST(Cipher, FindsLossyCharactersOnceEachInOrderUpToTheLimit) {
    const auto found = findLossyCharacters(u"孝文并孝😀x\x0B盛", 5);
    ASSERT_EQ(found.characters.size(), 5u);
    EXPECT_EQ(found.characters[0], u"孝");
    EXPECT_EQ(found.characters[1], u"并");
    EXPECT_EQ(found.characters[2], u"😀");  // a surrogate pair is one character
    EXPECT_EQ(found.characters[3], u"\x0B");
    EXPECT_EQ(found.characters[4], u"盛");
    EXPECT_FALSE(found.more);

    const auto limited = findLossyCharacters(u"孝犊娶并", 3);
    EXPECT_EQ(limited.characters, (std::vector<std::u16string>{u"孝", u"犊", u"娶"}));
    EXPECT_TRUE(limited.more);

    const auto repeated = findLossyCharacters(u"孝孝孝孝", 1);
    EXPECT_EQ(repeated.characters, std::vector<std::u16string>{u"孝"});
    EXPECT_FALSE(repeated.more);

    const auto loneSurrogate = findLossyCharacters(u"a\xD800z", 5);
    EXPECT_EQ(loneSurrogate.characters, std::vector<std::u16string>{u"\xD800"});

    EXPECT_TRUE(findLossyCharacters(u"", 5).empty());
    EXPECT_TRUE(findLossyCharacters(u"病印英小", 5).empty());
}

}  // namespace
}  // namespace pennory::testing
