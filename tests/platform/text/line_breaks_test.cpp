#include "platform/text/line_breaks.h"

#include <gtest/gtest.h>

namespace pennory::text {
namespace {

struct LineBreakCase {
    const char* name;
    std::u16string_view in;
    std::u16string_view fromFile;       // U+2029 kept
    std::u16string_view fromClipboard;  // U+2029 a line break
};

const LineBreakCase kCases[] = {
    {"empty", u"", u"", u""},
    {"no break", u"电源", u"电源", u"电源"},
    {"crlf kept", u"a\r\nb", u"a\r\nb", u"a\r\nb"},
    {"lone lf", u"a\nb\n", u"a\r\nb\r\n", u"a\r\nb\r\n"},
    {"lone cr", u"\ra\r", u"\r\na\r\n", u"\r\na\r\n"},
    {"lf cr is two breaks", u"a\n\rb", u"a\r\n\r\nb", u"a\r\n\r\nb"},
    {"cr cr lf", u"\r\r\n", u"\r\n\r\n", u"\r\n\r\n"},
    {"separator", u"a\u2029b", u"a\u2029b", u"a\r\nb"},
    {"other controls kept", u"\t\f\x1F\u2028", u"\t\f\x1F\u2028", u"\t\f\x1F\u2028"},
};

TEST(LineBreaks, EachBreakBecomesCrLf) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(withCrLfLineBreaks(c.in), c.fromFile);
        EXPECT_EQ(withCrLfLineBreaks(c.in, ParagraphSeparator::IsLineBreak), c.fromClipboard);
    }
}

}  // namespace
}  // namespace pennory::text
