// The matcher against a simple one written here from the rules: one width, one case, whole
// Latin words, never a figure; and a table of regular expressions.

#include "platform/text/text_search.h"

#include <gtest/gtest.h>

#include <random>

namespace pennory::text {
namespace {

// The twins the generated texts hold, folded by hand.
char16_t narrow(char16_t c) {
    switch (c) {
        case u'，':
            return u',';
        case u'０':
            return u'0';
        case u'Ａ':
            return u'A';
        case u'ａ':
            return u'a';
        case u'（':
            return u'(';
        case u'　':
            return u' ';
        case u'。':
            return u'.';
        case u'Ｂ':
            return u'B';
        default:
            return c;
    }
}
// Full-width capitals have full-width small twins: Ａ and ａ differ only in case.
char16_t lower(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'Ａ' && c <= u'Ｚ')) return c + 32;
    return c;
}
bool wordUnit(char16_t c) {
    c = narrow(c);
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

std::vector<std::pair<std::size_t, std::size_t>> simpleFindAll(std::u16string_view text,
                                                               std::u16string_view pattern,
                                                               const SearchOptions& o,
                                                               std::size_t from = 0) {
    auto same = [&o](char16_t a, char16_t b) {
        if (!o.matchWidth) a = narrow(a), b = narrow(b);
        if (!o.matchCase) a = lower(a), b = lower(b);
        return a == b;
    };
    std::vector<std::pair<std::size_t, std::size_t>> found;
    std::size_t at = from;
    while (at + pattern.size() <= text.size()) {
        bool ok = true;
        for (std::size_t k = 0; k < pattern.size() && ok; ++k) {
            ok = text[at + k] != u'\uFFFC' && same(text[at + k], pattern[k]);
        }
        const std::size_t end = at + pattern.size();
        if (ok && o.wholeWord) {
            if (at > 0 && wordUnit(text[at - 1]) && wordUnit(text[at])) ok = false;
            if (end < text.size() && wordUnit(text[end]) && wordUnit(text[end - 1])) ok = false;
        }
        if (ok) {
            found.emplace_back(at, pattern.size());
            at = end;
        } else {
            ++at;
        }
    }
    return found;
}

TEST(TextSearch, LiteralSearchAgreesWithASimpleMatcherOverGeneratedTexts) {
    const std::u16string alphabet = u"，,０0Ａaａ（(、 　Bb。.xX字\uFFFC";
    std::mt19937 random(20240611);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 400; ++round) {
        std::u16string text;
        // Every fiftieth text is long enough that matches straddle the places where a long
        // text is folded piece by piece.
        const std::size_t length = round % 50 == 49 ? 140000 + pick(5000) : 5 + pick(60);
        for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[pick(alphabet.size())]);
        std::u16string pattern;
        const std::size_t patternLength = 1 + pick(3);
        for (std::size_t i = 0; i < patternLength; ++i) {
            pattern.push_back(alphabet[pick(alphabet.size() - 1)]);  // never the figure
        }
        const SearchOptions options{(round & 1) != 0, (round & 2) != 0, (round & 4) != 0, false};
        SCOPED_TRACE(::testing::Message() << "round " << round);
        auto compiled = TextSearch::compile(pattern, options);
        ASSERT_TRUE(std::holds_alternative<TextSearch>(compiled));
        const auto& search = std::get<TextSearch>(compiled);
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (const auto& m : search.findAll(text)) got.emplace_back(m.start, m.length);
        EXPECT_EQ(got, simpleFindAll(text, pattern, options));
        const auto expected = simpleFindAll(text, pattern, options);
        const auto first = search.findFrom(text, 0);
        ASSERT_EQ(first.has_value(), !expected.empty());
        if (first) {
            EXPECT_EQ(first->start, expected.front().first);
        }
        const std::size_t from = pick(text.size());
        const auto later = simpleFindAll(text, pattern, options, from);
        const auto next = search.findFrom(text, from);
        ASSERT_EQ(next.has_value(), !later.empty());
        if (next) EXPECT_EQ(next->start, later.front().first);
    }
}

struct WidthCase {
    std::u16string text;
    std::u16string pattern;
    SearchOptions options;
    std::vector<std::size_t> starts;
};

TEST(TextSearch, WidthCaseAndWholeWords) {
    const std::vector<WidthCase> cases = {
        {u"他说，好。", u",", {}, {2}},
        {u"他说，好。", u",", {false, true, false, false}, {}},
        {u"ＡＢＣ abc", u"abc", {}, {0, 4}},
        {u"ＡＢＣ abc", u"abc", {true, false, false, false}, {4}},
        {u"ＡＢＣ abc", u"abc", {false, true, false, false}, {4}},
        {u"一　二 三", u" ", {}, {1, 3}},
        {u"cat concat cat.", u"cat", {false, false, true, false}, {0, 11}},
        {u"cat猫cat", u"cat", {false, false, true, false}, {0, 4}},
        {u"ｃａｔs cat", u"cat", {false, false, true, false}, {5}},
        {u"a\uFFFCb", u"\uFFFC", {}, {}},
        {u"第1章。第2章.", u"章.", {}, {2, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "pattern " << c.pattern.size() << " text " << c.text.size());
        auto compiled = TextSearch::compile(c.pattern, c.options);
        ASSERT_TRUE(std::holds_alternative<TextSearch>(compiled));
        std::vector<std::size_t> starts;
        for (const auto& m : std::get<TextSearch>(compiled).findAll(c.text))
            starts.push_back(m.start);
        EXPECT_EQ(starts, c.starts);
    }
}

struct RegexCase {
    std::u16string text;
    std::u16string pattern;
    bool matchWidth;
    std::vector<std::pair<std::size_t, std::size_t>> found;
};

TEST(TextSearch, RegularExpressions) {
    const std::vector<RegexCase> cases = {
        {u"第12章 第3章", u"第\\d+章", true, {{0, 4}, {5, 3}}},
        {u"（注）(注)", u"（注）", false, {{0, 3}, {3, 3}}},  // a typed （ stays a literal
        {u"（注）(注)", u"\\(注\\)", false, {{0, 3}, {3, 3}}},
        {u"（注）(注)", u"\\(注\\)", true, {{3, 3}}},
        {u"ABC abc", u"a.c", true, {{0, 3}, {4, 3}}},  // case folded by the engine
        {u"aaa", u"a*", true, {{0, 3}}},               // never an empty match
        {u"x\uFFFCy", u"x.y", true, {}},               // never over a figure
        {u"行一\r\n行二", u"一.行", true, {}},         // . stops at a line break
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case with pattern length " << c.pattern.size());
        auto compiled = TextSearch::compile(c.pattern, {false, c.matchWidth, false, true});
        ASSERT_TRUE(std::holds_alternative<TextSearch>(compiled));
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (const auto& m : std::get<TextSearch>(compiled).findAll(c.text)) {
            got.emplace_back(m.start, m.length);
        }
        EXPECT_EQ(got, c.found);
    }
}

TEST(TextSearch, InvalidOrEmptyPatternsGiveAChineseMessage) {
    auto bad = TextSearch::compile(u"(未闭合", {false, false, false, true});
    ASSERT_TRUE(std::holds_alternative<std::u16string>(bad));
    EXPECT_EQ(std::get<std::u16string>(bad), u"正则表达式“(未闭合”有误，无法查找。");
    auto empty = TextSearch::compile(u"", {});
    ASSERT_TRUE(std::holds_alternative<std::u16string>(empty));
    EXPECT_EQ(std::get<std::u16string>(empty), u"请输入要查找的内容。");
}

TEST(TextSearch, ReplacementTakesGroups) {
    auto compiled = TextSearch::compile(u"(\\d+)年(\\d+)月", {false, true, false, true});
    const auto& search = std::get<TextSearch>(compiled);
    const std::u16string text = u"于2024年6月";
    const auto match = search.findFrom(text, 0);
    ASSERT_TRUE(match);
    EXPECT_EQ(search.replacementFor(text, *match, u"$2/$1 \\$ $0 $9"), u"6/2024 $ 2024年6月 ");
    auto literal = TextSearch::compile(u"年", {});
    EXPECT_EQ(std::get<TextSearch>(literal).replacementFor(text, *match, u"$1"), u"$1");
}

TEST(TextSearch, FindNextWrapsToTheStart) {
    auto compiled = TextSearch::compile(u"甲", {});
    const auto& search = std::get<TextSearch>(compiled);
    const std::u16string text = u"甲乙甲丙";
    auto next = findNext(search, text, 1);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->match.start, 2u);
    EXPECT_FALSE(next->wrapped);
    next = findNext(search, text, 3);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->match.start, 0u);
    EXPECT_TRUE(next->wrapped);
    EXPECT_FALSE(findNext(search, u"乙丙", 1));
}

}  // namespace
}  // namespace pennory::text
