#include "platform/text/plain_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

#include "platform/text/code_page_936.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

TEST(DecodePlainText, ByteOrderMarks) {
    EXPECT_EQ(decodePlainText("\xEF\xBB\xBF\xE4\xB8\xAD\r\n"), u"中\r\n");
    EXPECT_EQ(decodePlainText(bytes({0xFF, 0xFE, 0x2D, 0x4E, 0x0D, 0x00, 0x0A, 0x00})), u"中\r\n");
    EXPECT_EQ(decodePlainText(bytes({0xFE, 0xFF, 0x4E, 0x2D, 0x00, 0x41})), u"中A");
    // UTF-16 keeps NUL characters and lone surrogates as they are.
    EXPECT_EQ(decodePlainText(bytes({0xFF, 0xFE, 0x00, 0x00, 0x00, 0xD8})),
              std::u16string(u"\0\xD800", 2));
    // An odd last byte cannot be a character.
    EXPECT_EQ(decodePlainText(bytes({0xFF, 0xFE, 0x41, 0x00, 0x42})), u"A\uFFFD");
    // A UTF-8 mark with damaged text after it is still UTF-8.
    EXPECT_EQ(decodePlainText("\xEF\xBB\xBF"
                              "a\xFF"
                              "b"),
              u"a\uFFFDb");
}

TEST(DecodePlainText, Utf8WithoutMark) {
    EXPECT_EQ(decodePlainText("\xE6\x96\x87\xE7\xA8\xBF\nline"), u"文稿\nline");
    EXPECT_EQ(decodePlainText("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(decodePlainText(""), u"");
    EXPECT_EQ(decodePlainText("plain ASCII\r"), u"plain ASCII\r");
}

TEST(DecodePlainText, GbkAndGb18030) {
    EXPECT_EQ(decodePlainText("\xCE\xC4\xB8\xE5\xBC\xD3\xC3\xDC\r\n"), u"文稿加密\r\n");
    // Four-byte GB18030 sequences, and the euro sign as Windows writes it in code page 936.
    EXPECT_EQ(decodePlainText("\x81\x30\x81\x30\x90\x30\x81\x30\x80"), u"\u0080\U00010000€");
    // An overlong UTF-8 form ("/" as C0 AF) is not UTF-8 but a GBK character.
    EXPECT_EQ(decodePlainText("\xC0\xAF"), u"蜡");
}

// "说" in GBK is CB B5, which is also the valid UTF-8 of U+02F5: a one-word password file
// must still read back as the Chinese the program wrote.
TEST(DecodePlainText, ShortGbkThatLooksLikeUtf8StaysGbk) {
    EXPECT_EQ(decodePlainText("\xCB\xB5\r\n"), u"说\r\n");
    EXPECT_EQ(decodePlainText("abc\xCB\xB5"), u"abc说");
    // Three-byte sequences are how Chinese looks in UTF-8, and win.
    EXPECT_EQ(decodePlainText("\xE4\xB8\xAD\xCB\xB5"), u"中\u02F5");
}

std::string withHeader(std::string header, std::size_t size) {
    std::string out = std::move(header);
    std::mt19937 random(static_cast<unsigned>(size));
    while (out.size() < size) out.push_back(static_cast<char>(random() % 256));
    return out;
}

// Executables, pictures and archives: headers as their formats have them, the rest of each file
// random, as compressed or machine data is.
TEST(DecodePlainText, BinaryIsRefused) {
    using namespace std::string_literals;
    std::string windowsExe = withHeader("MZ\x90\0\3\0\0\0"s, 0x200);
    windowsExe.replace(0x3C, 4, "\x80\0\0\0"s);
    windowsExe.replace(0x80, 4, "PE\0\0"s);
    std::string bitmap = withHeader("BM\x46\0\0\0\0\0\0\0\x36\0\0\0"s, 0x46);
    // A tar archive of a text file: ASCII and NULs only.
    std::string tar(1024, '\0');
    tar.replace(0, 8, "book.txt");
    tar.replace(257, 6, "ustar\0"s);
    tar.replace(512, 6, "words\n");
    const std::string files[] = {
        withHeader("\x7F"
                   "ELF\2\1\1\0"s,
                   300),
        withHeader("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s, 300),
        withHeader("\xFF\xD8\xFF\xE0\0\x10JFIF\0"s, 300),
        withHeader("GIF89a\1\0\1\0\0\0\0"s, 60),
        withHeader("PK\3\4\x14\0\0\0\x08\0"s, 300),
        withHeader("\x1F\x8B\x08\0\0\0\0\0"s, 300),
        withHeader("7z\xBC\xAF\x27\x1C\0\4"s, 300),
        windowsExe,
        bitmap,
        tar,
        // A real 1x1 picture, whole.
        "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1F\x15\xC4\x89\0\0\0"
        "\x0A"
        "IDATx\x9C\x63\0\x01\0\0\x05\0\x01\x0D\x0A\x2D\xB4\0\0\0\0IEND\xAE\x42\x60\x82"s,
        // Any NUL byte among bytes that are no text encoding.
        std::string("\x01\x02\0\xFF\xFE\x81\x00", 7),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file.substr(0, 4));
        EXPECT_EQ(decodePlainText(file), std::nullopt);
    }
}

// NUL characters are text in a file that is well-formed throughout, as every file this program
// writes is; the words those headers spell are text too.
TEST(DecodePlainText, NulCharactersInTextAreKept) {
    using namespace std::string_literals;
    EXPECT_EQ(decodePlainText("\0"s), u"\0"s);
    EXPECT_EQ(decodePlainText("a\0b\r\n\0"s), u"a\0b\r\n\0"s);
    EXPECT_EQ(decodePlainText("\xCE\xC4\0\xB8\xE5"s), u"文\0稿"s);
    EXPECT_EQ(decodePlainText("\xEF\xBB\xBF"
                              "a\0"s),
              u"a\0"s);
    EXPECT_EQ(decodePlainText("MZ\0 and BM\0"s), u"MZ\0 and BM\0"s);
    // Text that happens to begin as a picture or a document format does.
    EXPECT_EQ(decodePlainText("GIF89a\0\0"s), u"GIF89a\0\0"s);
    EXPECT_EQ(decodePlainText("\xEF\xBB\xBF%PDF-a\0"s), u"%PDF-a\0"s);
    EXPECT_EQ(decodePlainText(encodePlainText(u"\0\x01\U0001F600\0€"s)), u"\0\x01\U0001F600\0€"s);
}

TEST(EncodePlainText, CodePage936WithCrLfAsGiven) {
    EXPECT_EQ(encodePlainText(u"文稿加密\r\nA"), "\xCE\xC4\xB8\xE5\xBC\xD3\xC3\xDC\r\nA");
    EXPECT_EQ(encodePlainText(u"a\nb\rc"), "a\nb\rc");
}

// For files of a fixed format, such as the password file: GB18030 whatever the bytes look like.
TEST(DecodeGb18030Text, AlwaysGb18030BesidesByteOrderMarks) {
    EXPECT_EQ(decodeGb18030Text("\xF1\xAB\xBF\xAE"), u"瘾慨");  // also UTF-8 of U+6BFEE
    EXPECT_EQ(decodeGb18030Text("caf\xC3\xA9"), u"caf茅");
    EXPECT_EQ(decodeGb18030Text("\xA2\xE3\x80"), u"€€");
    EXPECT_EQ(decodeGb18030Text("\xEF\xBB\xBF\xC3\xA9"), u"é");
    EXPECT_EQ(decodeGb18030Text("\xFF\xFE\x2D\x4E"), u"中");
    EXPECT_EQ(decodeGb18030Text(std::string("a\0", 2)), std::u16string(u"a\0", 2));
}

TEST(EncodePlainText, CharactersOutsideCodePage936UseGb18030) {
    EXPECT_EQ(encodePlainText(u"\uD55C"), "\x83\x36\x84\x33");      // Korean
    EXPECT_EQ(encodePlainText(u"\U0001F600"), "\x94\x39\xFC\x36");  // emoji
    EXPECT_EQ(encodePlainText(u"\u200B\uFEFF"), "\x81\x36\xA4\x37\x84\x31\x95\x33");
    // A lone surrogate has no encoding anywhere.
    EXPECT_EQ(encodePlainText(u"a\xD800"
                              u"b"),
              "a?b");
}

// Whatever the editor holds (apart from lone surrogates) comes back from a text file.
TEST(PlainText, RandomTextSurvivesAFile) {
    std::mt19937 random(936);
    std::uniform_int_distribution<int> pick(0, 9);
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const int length = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            switch (pick(random)) {
                case 0:
                    text += u"\r\n";
                    break;
                case 1:
                    text.push_back(static_cast<char16_t>(0x20 + random() % 95));
                    break;
                case 2:
                    text.push_back(static_cast<char16_t>(0xE000 + random() % 0x1900));
                    break;
                case 3:
                    text += u"\U0001F600";
                    break;
                case 4:
                    text.push_back(static_cast<char16_t>(1 + random() % 31));
                    break;
                default: {
                    // Any character code page 936 has.
                    char16_t c;
                    do c = static_cast<char16_t>(0x80 + random() % 0xFF00);
                    while (!cp936::representable(c));
                    text.push_back(c);
                }
            }
        }
        const std::optional<std::u16string> back = decodePlainText(encodePlainText(text));
        ASSERT_TRUE(back.has_value());
        ASSERT_EQ(*back, text) << "round " << round;
    }
}

TEST(PlainText, EveryCharacterOfTheBasicPlaneSurvivesAFile) {
    std::u16string text;
    for (int c = 1; c < 0x10000; ++c) {
        if (c < 0xD800 || c >= 0xE000) text.push_back(static_cast<char16_t>(c));
    }
    EXPECT_EQ(decodePlainText(encodePlainText(text)), text);
}

TEST(SplitLines, AllLineEnds) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\r\n", {u"a"}},
        {u"a\r\nb", {u"a", u"b"}},
        {u"a\nb\rc\r\nd", {u"a", u"b", u"c", u"d"}},
        {u"\r\n\r\n", {u"", u""}},
        {u"a\n\rb", {u"a", u"", u"b"}},
        {u"\r", {u""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "text of length " << c.text.size());
        EXPECT_EQ(splitLines(c.text), c.lines);
    }
}

}  // namespace
}  // namespace pennory::text

namespace pennory::text {
namespace {

using namespace std::string_literals;

// Characters whose GB18030 bytes changed in the 2005 and 2022 editions of the standard: the
// C library's iconv reads the later mapping, ICU (and this program) the earlier one, so the two
// disagree on these and on nothing else.
bool remappedByLaterEditions(int c) {
    static const int remapped[] = {0xE78D, 0xE78E, 0xE78F, 0xE790, 0xE791, 0xE792, 0xE793, 0xE794,
                                   0xE795, 0xE796, 0xE816, 0xE817, 0xE818, 0xE81E, 0xE826, 0xE82B,
                                   0xE82C, 0xE831, 0xE832, 0xE83B, 0xE843, 0xE854, 0xE855, 0xE864};
    return (c >= 0x9FB4 && c <= 0x9FBB) || (c >= 0xFE10 && c <= 0xFE19) ||
           std::find(std::begin(remapped), std::end(remapped), c) != std::end(remapped);
}

// Another program's GB18030 reader, the C library's iconv, reads every character the same,
// but for those the later editions remapped.
TEST(EncodePlainText, IconvReadsEveryFileWritten) {
    if (std::system("command -v iconv >/dev/null 2>&1") != 0) GTEST_SKIP() << "no iconv";
    std::u16string text = u"文稿€\r\n\0\x01"s;
    for (int c = 0x80; c < 0x10000; ++c) {
        if ((c < 0xD800 || c >= 0xE000) && !remappedByLaterEditions(c))
            text.push_back(static_cast<char16_t>(c));
    }
    text += u"\U0001F600\U00020000\U0010FFFF";
    const std::string folder = ::testing::TempDir();
    const std::string in = folder + "/pennory-iconv-in.txt";
    const std::string out = folder + "/pennory-iconv-out.txt";
    std::ofstream(in, std::ios::binary) << encodePlainText(text);
    ASSERT_EQ(std::system(("iconv -f GB18030 -t UTF-16LE '" + in + "' > '" + out + "'").c_str()),
              0);
    const std::string bytes = testing::readBytes(out);
    std::u16string read(bytes.size() / 2, u'\0');
    std::memcpy(read.data(), bytes.data(), read.size() * 2);
    std::size_t differ = 0;
    for (std::size_t i = 0; i < std::min(read.size(), text.size()); ++i) {
        if (read[i] != text[i] && ++differ < 10) {
            ADD_FAILURE() << std::hex << "U+" << int(text[i]) << " read as U+" << int(read[i]);
        }
    }
    EXPECT_EQ(read.size(), text.size());
    EXPECT_EQ(differ, 0u);
    std::remove(in.c_str());
    std::remove(out.c_str());
}

}  // namespace
}  // namespace pennory::text
