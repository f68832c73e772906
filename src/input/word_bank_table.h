#pragma once
// The word bank: 149 electronics terms and stock phrases, each shown by a label at a fixed
// place in the side panel.

#include <array>
#include <string_view>

namespace pennory::input {

struct WordBankTerm {
    std::u16string_view caption;  // also the text a click inserts
    int left;                     // panel twips
    int top;
};

inline constexpr int kWordBankSize = 149;
extern const std::array<WordBankTerm, kWordBankSize> kWordBank;

// A label is 180 twips high and as wide as its caption (180 twips a full-width character,
// 90 a half-width one); label 0 is a fixed 3015 x 375 area in which the caption wraps.
int wordBankLabelWidth(int index);
int wordBankLabelHeight(int index);

}  // namespace pennory::input
