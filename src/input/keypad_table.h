#pragma once
// The symbol keypad: 24 buttons in one row along the bottom of the window.

#include <array>
#include <string_view>

namespace pennory::input {

struct KeypadSymbol {
    std::u16string_view caption;
    std::u16string_view inserted;  // what a click inserts (the caption, but for + and -)
    int slot;                      // place in the row, from the left
};

inline constexpr int kKeypadSize = 24;

inline constexpr std::array<KeypadSymbol, kKeypadSize> kKeypad = {{
    {u"，", u"，", 0},   {u"。", u"。", 1},      {u"、", u"、", 2},   {u"；", u"；", 3},
    {u"：", u"：", 4},   {u"？", u"？", 5},      {u"！", u"！", 6},   {u"（）", u"（）", 8},
    {u"…", u"…", 9},     {u"《》", u"《》", 10}, {u"～", u"～", 11},  {u"·", u"·", 12},
    {u"＋", u"+", 13},   {u"－", u"-", 14},      {u"×", u"×", 15},    {u"÷", u"÷", 16},
    {u"/", u"/", 18},    {u"μF", u"μF", 20},     {u"Ω", u"Ω", 22},    {u"KΩ", u"KΩ", 23},
    {u"—", u"—", 19},    {u"=", u"=", 17},       {u"pF", u"pF", 21},  {u"“”", u"“”", 7},
}};

// Twips: slot k stands at 120 + 480 k; neighbours overlap by 20.
inline constexpr int keypadLeft(int slot) { return 120 + 480 * slot; }
inline constexpr int kKeypadWidth = 500;
inline constexpr int kKeypadHeight = 320;
inline constexpr int kKeypadDesignTop = 7920;

}  // namespace pennory::input
