#include "platform/text/rtf_tokenizer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pennory::text {
namespace {

// A compact picture of the token stream: {, }, \word[N], \sym, 'hh, "text", bin(N).
std::string describe(std::string_view input) {
    RtfTokenizer tokenizer(input);
    std::ostringstream out;
    for (int guard = 0; guard < 1000; ++guard) {
        const RtfToken t = tokenizer.next();
        switch (t.type) {
            case RtfToken::Type::End:
                return out.str();
            case RtfToken::Type::GroupStart:
                out << "{ ";
                break;
            case RtfToken::Type::GroupEnd:
                out << "} ";
                break;
            case RtfToken::Type::ControlWord:
                out << '\\' << t.text;
                if (t.hasParameter) out << t.parameter;
                out << ' ';
                break;
            case RtfToken::Type::ControlSymbol:
                out << '\\' << t.symbol << ' ';
                break;
            case RtfToken::Type::HexByte:
                out << '\'' << std::hex << int(t.byte) << std::dec << ' ';
                break;
            case RtfToken::Type::Text:
                out << '"' << t.text << "\" ";
                break;
            case RtfToken::Type::Binary:
                out << "bin(" << t.text.size() << ") ";
                break;
        }
    }
    return "no end";
}

TEST(RtfTokenizer, Syntax) {
    struct Case {
        const char* input;
        const char* tokens;
    } cases[] = {
        {"{\\rtf1\\ansi abc}", "{ \\rtf1 \\ansi \"abc\" } "},
        // The space after a word is its delimiter; a second space is text.
        {"\\b  x", "\\b \" x\" "},
        {"\\fs-24x", "\\fs-24 \"x\" "},
        {"\\u-10179?", "\\u-10179 \"?\" "},
        {"\\'d6\\'D0", "'d6 'd0 "},
        {"\\{\\}\\\\\\~\\*", "\\{ \\} \\\\ \\~ \\* "},
        // Line ends are not text, but a backslash before one is a control symbol.
        {"a\r\nb\\\nc", "\"a\" \"b\" \\\n \"c\" "},
        {"\\bin3 {}\\x}", "bin(3) \"x\" } "},
        {"\\line\\tab", "\\line \\tab "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(describe(c.input), c.tokens);
    }
}

TEST(RtfTokenizer, DamagedInput) {
    struct Case {
        const char* input;
        const char* tokens;
    } cases[] = {
        {"\\", ""},
        {"abc\\", "\"abc\" "},
        {"\\'", ""},
        // Cut short by the end of the file: no character at all.
        {"\\'4", ""},
        {"x\\'c", "\"x\" "},
        // Inside the file too, a damaged escape is no character; what stops it is read.
        {"\\'4 ", "\" \" "},
        {"\\'4}", "} "},
        {"\\'4\r\nx", "\"x\" "},
        {"\\'4\\par", "\\par "},
        {"\\'zz", "\"zz\" "},
        {"\\'\\'\\'41", "'41 "},
        // Longer numbers saturate instead of overflowing.
        {"\\fs99999999999999999999", "\\fs2147483647 "},
        {"\\u-99999999999", "\\u-2147483648 "},
        // \bin longer than what is left takes what is left.
        {"\\bin1000000 abc", "bin(3) "},
        {"\\bin-5 abc", "bin(0) \"abc\" "},
        {"\\-", "\\- "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(describe(c.input), c.tokens);
    }
}

TEST(RtfTokenizer, LongWordsAreCut) {
    const std::string word(100, 'a');
    const std::string input = "\\" + word + "5 x";
    RtfTokenizer tokenizer(input);
    const RtfToken t = tokenizer.next();
    EXPECT_EQ(t.text.size(), RtfTokenizer::kMaxWordLength);
    EXPECT_EQ(t.parameter, 5);
    EXPECT_EQ(tokenizer.next().text, "x");
}

TEST(RtfTokenizer, ManyBadEscapesDoNotExhaustTheStack) {
    std::string input;
    for (int i = 0; i < 1000000; ++i) input += "\\'";
    input += "x";
    EXPECT_EQ(describe(input), "\"x\" ");
}

}  // namespace
}  // namespace pennory::text
