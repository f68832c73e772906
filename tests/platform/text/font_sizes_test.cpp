// The font dialog's sizes and families as a Chinese writer names them.

#include "platform/text/font_sizes.h"

#include <gtest/gtest.h>

#include "platform/text/font_families.h"
#include "text_test_support.h"

namespace pennory::testing {
namespace {

using text::fontFamilyList;
using text::fontSizeList;
using text::fontSizeText;
using text::parseFontSize;

struct Typed {
    std::u16string_view text;
    std::optional<float> points;
};

TEST(FontSizes, EveryChineseSizeReadsAsItsPoints) {
    const Typed sizes[] = {
        {u"初号", 42},  {u"小初", 36},  {u"一号", 26},   {u"小一", 24},
        {u"二号", 22},  {u"小二", 18},  {u"三号", 16},   {u"小三", 15},
        {u"四号", 14},  {u"小四", 12},  {u"五号", 10.5}, {u"小五", 9},
        {u"六号", 7.5}, {u"小六", 6.5}, {u"七号", 5.5},  {u"八号", 5},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(text::testing::toUtf8(size.text));
        EXPECT_EQ(parseFontSize(size.text), size.points);
    }
}

TEST(FontSizes, TypedPointsAreReadToTheHalfPoint) {
    const Typed cases[] = {
        {u"10.5", 10.5f},
        {u"11.5", 11.5f},
        {u"11", 11},
        {u" 12 ", 12},
        {u"１０．５", 10.5f},
        {u"9.", 9},
        {u".5", std::nullopt},
        {u"10.3", 10.5f},
        {u"10.2", 10},
        {u"1", 1},
        {u"1638", 1638},
        {u"0", std::nullopt},
        {u"0.2", std::nullopt},
        {u"1639", std::nullopt},
        {u"-5", std::nullopt},
        {u"", std::nullopt},
        {u"  ", std::nullopt},
        {u"abc", std::nullopt},
        {u"1.2.3", std::nullopt},
        {u"12pt", std::nullopt},
        {u"五", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u".", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(text::testing::toUtf8(c.text));
        EXPECT_EQ(parseFontSize(c.text), c.points);
    }
}

TEST(FontSizes, SizesAreShownInTheirShortestForm) {
    EXPECT_EQ(fontSizeText(11), u"11");
    EXPECT_EQ(fontSizeText(10.5f), u"10.5");
    EXPECT_EQ(fontSizeText(1638), u"1638");
    EXPECT_EQ(fontSizeText(11.5f), u"11.5");
}

TEST(FontSizes, TheListOffersTheChineseSizesThenPoints) {
    const std::vector<std::u16string> expected = {
        u"初号", u"小初", u"一号", u"小一", u"二号", u"小二", u"三号", u"小三", u"四号", u"小四",
        u"五号", u"小五", u"六号", u"小六", u"七号", u"八号", u"5",    u"5.5",  u"6.5",  u"7.5",
        u"8",    u"9",    u"10",   u"10.5", u"11",   u"12",   u"14",   u"16",   u"18",   u"20",
        u"22",   u"24",   u"26",   u"28",   u"36",   u"48",   u"72"};
    EXPECT_EQ(fontSizeList(), expected);
    for (const auto& entry : fontSizeList()) {
        SCOPED_TRACE(text::testing::toUtf8(entry));
        EXPECT_TRUE(parseFontSize(entry));  // every entry can be chosen
    }
}

TEST(FontFamilies, ChineseNamesComeFirstThenTheInstalledFamilies) {
    const std::vector<std::u16string> installed = {
        u".Hidden", u"DejaVu Sans", u"", u"黑体", u"Noto Serif CJK SC", u"DejaVu Sans"};
    const std::vector<std::u16string> expected = {u"宋体", u"黑体",        u"楷体",
                                                  u"仿宋", u"DejaVu Sans", u"Noto Serif CJK SC"};
    EXPECT_EQ(fontFamilyList(installed), expected);
    EXPECT_EQ(fontFamilyList({}),
              (std::vector<std::u16string>{u"宋体", u"黑体", u"楷体", u"仿宋"}));
}

}  // namespace
}  // namespace pennory::testing
