#pragma once
// The manuscript's length as Chinese magazines count it (字数), and its characters.
//
// 字数: every CJK character (ideographs of every extension, compatibility ideographs, kana,
// hangul, bopomofo) and every full-width punctuation mark or symbol counts one; every run of
// other non-blank characters counts one, so a Latin word, a number or a part number such as
// CD4011 is one; blanks and line breaks count nothing. "中文abc" is three, "10kΩ" one.
// Full-width punctuation and symbols are the CJK Symbols and Punctuation block (except the
// ideographic space), the Halfwidth and Fullwidth Forms (full-width letters and digits count
// one each, as every double-byte character does), the general punctuation that Chinese text
// uses (“”‘’…—‰※), the middle dot, and the symbol blocks from arrows to dingbats (①℃×≤■★).
// Greek, Cyrillic and Latin letters of any kind join runs.
//
// Characters (M, 字符不计空格): every character except blanks and line breaks.
//
// Blanks: space, tab, no-break space, the ideographic space U+3000, the other Unicode spaces
// and the zero-width space and byte-order mark, and the object character U+FFFC, which stands
// for a figure: a figure counts nothing and parts words as a blank does. Line breaks: CR, LF, NEL,
// U+2028, U+2029. The other control characters (the cipher writes codes such as 11, 12 and 31 in
// place of the writer's characters) count as other characters: they join runs and count in M, so a
// scrambled manuscript counts about as its plain text does.
//
// A surrogate pair is one character; a lone surrogate is an other character.

#include <cstddef>
#include <string_view>

namespace pennory::input {

struct TextCount {
    std::size_t words = 0;       // 字数
    std::size_t characters = 0;  // 字符，不计空格

    TextCount& operator+=(const TextCount& other) {
        words += other.words;
        characters += other.characters;
        return *this;
    }
    TextCount& operator-=(const TextCount& other) {
        words -= other.words;
        characters -= other.characters;
        return *this;
    }
    bool operator==(const TextCount&) const = default;
};

enum class CharClass { Blank, LineBreak, Wide, Other };

CharClass classify(char32_t c);

TextCount countText(std::u16string_view text);

}  // namespace pennory::input
