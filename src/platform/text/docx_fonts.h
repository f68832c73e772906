#pragma once
// Which of a run's fonts a character is drawn in, and what is known of Chinese font names.
// A WordprocessingML run names up to three fonts: w:ascii for ASCII, w:eastAsia for Chinese,
// Japanese and Korean text, w:hAnsi for the rest; characters both kinds of text use
// (quotation marks, the middle dot, dashes, the ellipsis, ...) take the East Asian font when
// the run's w:hint is "eastAsia" and the w:hAnsi font otherwise.

#include <string>
#include <string_view>

namespace pennory::text::docx {

enum class FontSlot { Ascii, EastAsia, HighAnsi };

enum class CharClass { Ascii, EastAsian, Ambiguous, Other };

// Surrogates count as East Asian: the characters beyond U+FFFF a Chinese text holds are
// nearly all ideographs.
CharClass charClassOf(char16_t c);

inline FontSlot slotOf(CharClass c, bool hintEastAsia) {
    switch (c) {
        case CharClass::Ascii:
            return FontSlot::Ascii;
        case CharClass::EastAsian:
            return FontSlot::EastAsia;
        case CharClass::Ambiguous:
            return hintEastAsia ? FontSlot::EastAsia : FontSlot::HighAnsi;
        case CharClass::Other:
            break;
    }
    return FontSlot::HighAnsi;
}

// True when text holds a character whose font the hint decides.
bool hasAmbiguous(std::u16string_view text);

// A font meant for Chinese text: its name holds Chinese characters, or it is the English name
// of one of the common Chinese faces (SimSun, SimHei, ...).
bool isChineseFont(std::u16string_view name);
// The English name Word also records for a common Chinese face ("SimSun" for 宋体); empty when
// none is known.
std::u16string_view englishNameOf(std::u16string_view name);

}  // namespace pennory::text::docx
