#pragma once
// 统一标点: the replacements that make a manuscript's punctuation Chinese and its letters and
// digits narrow. Each replacement swaps one unit for its twin, so the formats stay in place.
//
// A Chinese character here is what a word processor sets in the East Asian font
// (text::isEastAsianCharacter: ideographs, CJK and full-width punctuation, kana), and the
// neighbours of a mark are the nearest units on its line that are not spaces (space, tab,
// ideographic space).
//
// 统一为全角标点 turns , . ; : ? ! into ，。；：？！ where the neighbour before is Chinese (or a
// mark turned just before it) and the neighbour after is Chinese, another of these marks, a
// closing parenthesis, or the end of the line. "(" becomes （ where the neighbour after is Chinese
// and the one before is Chinese or the line's start; ")" becomes ） where the neighbour before is
// Chinese (or a turned mark) and the one after is Chinese, a mark or the line's end. A run of
// two or more full stops (an ellipsis) stays. So 3.14, e.g., www.example.cn and the : of
// "网址:http" stay as they are.
//
// 统一为半角字母数字 turns every full-width digit and Latin letter (０–９, Ａ–Ｚ, ａ–ｚ) into its
// half-width twin.

#include <string_view>
#include <vector>

#include "platform/text/text_replacements.h"

namespace pennory::input {

// Positions in text (CR LF line breaks), in order, without formats of their own.
std::vector<text::Replacement> fullWidthPunctuation(std::u16string_view text);
std::vector<text::Replacement> halfWidthLettersAndDigits(std::u16string_view text);

}  // namespace pennory::input
