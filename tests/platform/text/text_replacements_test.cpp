// Replacements applied together: their order, the check for overlaps, where a caret goes.

#include "platform/text/text_replacements.h"

#include <gtest/gtest.h>

#include <vector>

namespace pennory::text {
namespace {

Replacement at(std::size_t start, std::size_t length, std::u16string text = u"x") {
    return {start, length, std::move(text), std::nullopt};
}

TEST(TextReplacements, AreOrderedOrRefusedWhenTheyOverlap) {
    struct Case {
        const char* name;
        std::vector<Replacement> given;
        bool ok;
        std::vector<std::size_t> starts;  // after ordering, when ok
    };
    const Case cases[] = {
        {"back to front", {at(4, 1), at(0, 2), at(2, 1)}, true, {0, 2, 4}},
        {"touching", {at(0, 2), at(2, 2)}, true, {0, 2}},
        {"insertion before the replacement at its start", {at(2, 1), at(2, 0, u"i")}, true, {2, 2}},
        {"at the very end", {at(5, 0)}, true, {5}},
        {"the whole text", {at(0, 5)}, true, {0}},
        {"overlapping", {at(0, 3), at(2, 2)}, false, {}},
        {"one inside another", {at(0, 5), at(1, 1)}, false, {}},
        {"past the end", {at(4, 2)}, false, {}},
        {"starting past the end", {at(6, 0)}, false, {}},
        {"a length that wraps around", {at(1, SIZE_MAX)}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Replacement> list = c.given;
        ASSERT_EQ(orderReplacements(list, 5), c.ok);
        if (!c.ok) continue;
        std::vector<std::size_t> starts;
        for (const auto& r : list) starts.push_back(r.start);
        EXPECT_EQ(starts, c.starts);
    }
}

TEST(TextReplacements, InsertionsAtOnePlaceKeepTheirOrder) {
    std::vector<Replacement> list = {at(1, 1, u"r"), at(1, 0, u"a"), at(1, 0, u"b")};
    ASSERT_TRUE(orderReplacements(list, 3));
    EXPECT_EQ(list[0].text, u"a");
    EXPECT_EQ(list[1].text, u"b");
    EXPECT_EQ(list[2].text, u"r");
}

TEST(TextReplacements, FormatComesFromTheReplacedOrThePreviousCharacter) {
    EXPECT_EQ(formatSource(at(3, 2), 9), 3u);
    EXPECT_EQ(formatSource(at(3, 0), 9), 2u);
    EXPECT_EQ(formatSource(at(0, 0), 9), 0u);
    EXPECT_EQ(formatSource(at(9, 0), 9), 8u);
    EXPECT_EQ(formatSource(at(0, 0), 0), std::nullopt);
}

TEST(TextReplacements, ApplyWithinASpanKeepingTheRest) {
    const CharFormat plain{};
    const CharFormat bold{u"黑体", 12.0f, true};
    StyledText span(u"甲乙丙丁", plain);  // units 10 to 13 of some text
    const std::vector<Replacement> ordered = {
        {10, 1, u"一", bold}, {12, 0, u"、", plain}, {13, 1, u"", plain}};
    StyledText expected(u"一", bold);
    expected.append(u"乙、丙", plain);
    EXPECT_EQ(applyReplacements(span, 10, ordered), expected);
}

TEST(TextReplacements, CaretKeepsItsPlaceAmongTheCharacters) {
    // "ab,cd,ef" with both commas widened to "，，" and "cd" replaced by "X".
    const std::vector<Replacement> ordered = {at(2, 1, u"，，"), at(3, 2, u"X"), at(5, 1, u"，，")};
    struct Case {
        std::size_t before, after;
    };
    const Case cases[] = {
        {0, 0}, {2, 2},  // at a replacement's start: before the new text
        {3, 4},          // at its end: after it
        {4, 5},          // inside one: after its new text
        {5, 5}, {6, 7}, {8, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        EXPECT_EQ(positionAfter(c.before, ordered), c.after);
    }
}

}  // namespace
}  // namespace pennory::text
