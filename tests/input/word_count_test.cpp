#include "input/word_count.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "input/manuscript_count.h"

namespace pennory::input {
namespace {

struct Case {
    const char* name;
    std::u16string text;
    std::size_t words;
    std::size_t characters;
};

// Counts worked out by hand from the counting rules.
const Case kCases[] = {
    {"empty", u"", 0, 0},
    {"chinese", u"电子制作", 4, 4},
    {"chinese punctuation", u"你好，世界！", 6, 6},
    {"quotes and ellipsis", u"“好”‘对’……——", 10, 10},
    {"pause mark and middle dot", u"甲、乙·丙", 5, 5},
    {"latin words", u"hello world", 2, 10},
    {"part number", u"CD4011", 1, 6},
    {"part number in chinese", u"用CD4011做", 3, 8},
    {"number with unit", u"10kΩ电阻", 3, 6},
    {"degree sign", u"25℃", 2, 3},
    {"ascii punctuation joins", u"hello, world.", 2, 12},
    {"full-width letters and digits", u"ＣＤ４０", 4, 4},
    {"ideographic space is blank", u"第一\u3000第二", 4, 4},
    {"tab and no-break space", u"a\tb\u00A0c", 3, 3},
    {"line breaks split runs", u"ab\r\ncd\r\n\r\n", 2, 4},
    {"lone lf and cr", u"ab\ncd\ref", 3, 6},
    {"extension b ideograph", u"\U00020000\U0002A700", 2, 2},
    {"kana and hangul", u"カナ한글", 4, 4},
    {"cipher control characters join runs", u"a\x0c\x1f b", 2, 4},
    {"control characters alone", u"\x0b\x0c\x1f", 1, 3},
    {"control next to chinese", u"中\x1f文", 3, 3},
    {"lone surrogate is other", std::u16string(u"a") + char16_t(0xD800) + u"b", 1, 3},
    {"blanks only", u" \t\u3000\u00A0\r\n", 0, 0},
    {"mixed sentence", u"本文介绍用NE555制作的LED闪光灯，电压为9V。", 19, 26},
};

TEST(WordCount, CountsAsChineseWordProcessors) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const TextCount count = countText(c.text);
        EXPECT_EQ(count.words, c.words);
        EXPECT_EQ(count.characters, c.characters);
    }
}

// Random edits of a text made of every kind of character, surrogate halves included, keep
// the incremental count equal to a full recount, and the count's copy equal to the text.
TEST(ManuscriptCount, EqualsFullRecountAfterRandomEdits) {
    const std::u16string pieces[] = {u"中",   u"文",   u"，",     u"a",          u"B",  u"4",
                                     u"011",  u" ",    u"\u3000", u"\r\n",       u"\r", u"\n",
                                     u"\x1f", u"\x0c", u"\t",     u"\U00020001", u"℃",  u"Ω"};
    std::mt19937 random(13);
    auto piece = [&] { return pieces[random() % std::size(pieces)]; };
    auto randomText = [&](int pieceCount) {
        std::u16string s;
        for (int i = 0; i < pieceCount; ++i) s += piece();
        return s;
    };

    ManuscriptCount count;
    std::u16string text = randomText(200);
    count.reset(text);
    for (int edit = 0; edit < 5000; ++edit) {
        const std::size_t size = count.size();
        const std::size_t start = random() % (size + 1);
        const std::size_t removed = std::min<std::size_t>(random() % 6, size - start);
        std::u16string inserted = randomText(static_cast<int>(random() % 4));
        if (random() % 10 == 0 && !inserted.empty()) inserted.pop_back();  // may cut a pair
        // Now and then a long paste, more than the room left where the copy was last edited.
        if (random() % 500 == 0) inserted = randomText(3000);
        ASSERT_TRUE(count.apply(start, removed, inserted));
        text.replace(start, removed, inserted);
        ASSERT_EQ(count.text(), text) << "after edit " << edit;
        ASSERT_EQ(count.total(), countText(text)) << "after edit " << edit;
        const std::size_t from = random() % (text.size() + 1);
        ASSERT_EQ(count.countRange(from, 40), countText(text.substr(from, 40)));
    }
}

TEST(ManuscriptCount, RefusesEditsOutsideTheText) {
    ManuscriptCount count;
    count.reset(u"电子 ab");
    EXPECT_FALSE(count.apply(6, 0, u"x"));
    EXPECT_FALSE(count.apply(3, 3, u""));
    EXPECT_EQ(count.text(), u"电子 ab");
    EXPECT_EQ(count.total(), (TextCount{3, 4}));
}

TEST(ManuscriptCount, CountsASelectionAsATextOfItsOwn) {
    ManuscriptCount count;
    count.reset(u"用CD4011做实验");
    EXPECT_EQ(count.countRange(2, 3), (TextCount{1, 3}));  // "D40"
    EXPECT_EQ(count.countRange(0, 2), (TextCount{2, 2}));  // "用C"
    EXPECT_EQ(count.countRange(8, 100), (TextCount{2, 2}));
}

}  // namespace
}  // namespace pennory::input
