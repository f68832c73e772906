#pragma once
// Font sizes as a Chinese writer names them: the 字号 (初号 to 八号) and points, whole or
// fractional, for the font dialog's size box and list.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

struct NamedFontSize {
    std::u16string_view name;
    float points;
};

// The 字号 from the largest to the smallest.
inline constexpr std::array<NamedFontSize, 16> kChineseFontSizes = {{
    {u"初号", 42},
    {u"小初", 36},
    {u"一号", 26},
    {u"小一", 24},
    {u"二号", 22},
    {u"小二", 18},
    {u"三号", 16},
    {u"小三", 15},
    {u"四号", 14},
    {u"小四", 12},
    {u"五号", 10.5f},
    {u"小五", 9},
    {u"六号", 7.5f},
    {u"小六", 6.5f},
    {u"七号", 5.5f},
    {u"八号", 5},
}};

// The sizes in points that the list offers after the 字号.
inline constexpr std::array<float, 21> kListedPointSizes = {
    5, 5.5f, 6.5f, 7.5f, 8, 9, 10, 10.5f, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// What the rich-text control can hold.
inline constexpr float kMinFontSize = 1;
inline constexpr float kMaxFontSize = 1638;

// A size as typed into the size box: a 字号 name, or points written with ASCII or full-width
// digits and at most one decimal point, blanks around it allowed. Points are rounded to the
// nearest half point, the step a saved manuscript keeps. nullopt for anything else and for
// sizes outside kMinFontSize to kMaxFontSize.
std::optional<float> parseFontSize(std::u16string_view typed);

// A size as the size box shows it: "11", "10.5", "10.25"; the shortest decimal form.
std::u16string fontSizeText(float points);

// The entries of the size list: the 字号 names, then kListedPointSizes as fontSizeText
// writes them.
std::vector<std::u16string> fontSizeList();

}  // namespace pennory::text
