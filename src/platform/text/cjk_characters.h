#pragma once
// Which characters a word processor sets in the East Asian font: CJK ideographs, kana,
// hangul, bopomofo, CJK symbols and punctuation, full-width forms. Everything else (Latin,
// digits, spaces, curly quotes, line breaks) takes the Western font.

namespace pennory::text {

bool isEastAsianCharacter(char32_t c);

}  // namespace pennory::text
