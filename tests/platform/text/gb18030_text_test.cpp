// The fixed-format reader: GB18030 always, a byte-order mark aside. Byte values from the
// GB18030 standard tables (checked with iconv -t GB18030).

#include "platform/text/plain_text.h"

#include <gtest/gtest.h>

#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::toUtf8;

struct Row {
    const char* name;
    std::string bytes;
    std::u16string text;
};

const Row kRows[] = {
    {"ASCII", "Secret 1,\"2\"", u"Secret 1,\"2\""},
    // Also valid UTF-8 (a four-byte sequence): a guess would read it as one other character.
    {"GB2312, valid UTF-8 too", "\xF1\xAB\xBF\xAE", u"瘾慨"},
    {"GB2312 and digits",
     "\xF0\xA9\xB0\xB2"
     "2020",
     u"皓安2020"},
    {"GBK extension", "\x81\x40\x81\x41", u"丂丄"},
    {"full-width punctuation", "\xA3\xAC\xA1\xA3\xA3\xA1", u"，。！"},
    {"euro, code page 936", "\x80", u"€"},
    {"euro, GB18030", "\xA2\xE3", u"€"},
    {"four bytes, BMP", "\x83\x36\x84\x33", u"한"},
    {"four bytes, supplementary", "\x94\x39\xFC\x36", u"😀"},
    {"line ends kept", "a\r\nb\nc\r", u"a\r\nb\nc\r"},
    {"NUL kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    {"invalid",
     "a\xFF"
     "b",
     u"a\uFFFDb"},
    {"lone lead byte at the end", "a\x81", u"a\uFFFD"},
    {"UTF-8 mark", "\xEF\xBB\xBF\xE7\x98\xBE", u"瘾"},
    {"UTF-16 LE mark", std::string("\xFF\xFE\x3E\x76\x0D\x00", 6), u"瘾\r"},
    {"UTF-16 BE mark", std::string("\xFE\xFF\x76\x3E\x00\x0D", 6), u"瘾\r"},
    {"empty", "", u""},
};

TEST(Gb18030Text, DecodesEveryRow) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toUtf8(decodeGb18030Text(row.bytes)), toUtf8(row.text));
    }
}

}  // namespace
}  // namespace pennory::text
