#pragma once
// Which encoding a plain-text file without a byte-order mark is in: UTF-8, as Linux editors
// write it, or GB18030 (a superset of GBK, code page 936, read with the euro sign 0x80 of code
// page 936), as this program and Windows editors write it. The rule, chosen by measuring
// generated texts of both kinds:
//
// 1. Only the stretch from the first non-ASCII byte on is looked at, at most about 64 KiB of
//    it, so that deciding costs next to nothing beside decoding a large file. ASCII-only text
//    is UTF-8 (the same characters either way).
// 2. Bytes that are not UTF-8 are GB18030; UTF-8 that is not well-formed GB18030 is UTF-8.
//    Here a lone 0x80 counts against GB18030: in UTF-8 it is a continuation byte (E4 B8 80 is
//    一), and encodePlainText() writes a euro sign as 0x80 only where this guess says GB18030.
// 3. Bytes that are both are UTF-8 when every non-ASCII character their UTF-8 reading gives is
//    one that European and technical writing uses: Latin-1 letters and signs, Greek letters,
//    ℃ and the like ("café", "10kΩ ±5% 100μF"). Such a reading of a two-character GBK text
//    needs both characters among about 60 of the 3,755 common ones, under 0.1 % of all pairs.
// 4. Otherwise both readings are scored per non-ASCII character (common Chinese characters
//    high, punctuation and European letters middling, rare, private-use and unexpected
//    characters negative) and the reading with the higher average wins; a tie is GB18030,
//    which is what this program writes. Chinese in UTF-8 read as GBK gives rare characters and
//    empty rows, GBK read as UTF-8 mixes alphabets; neither scores near real text.
//
// The caller decodes the whole file in the encoding given; if UTF-8 was chosen and a later part
// is not UTF-8 after all, the file is GB18030.

#include <string_view>

namespace pennory::text {

enum class PlainTextEncoding { Utf8, Gb18030 };

// bytes: the file without a byte-order mark.
PlainTextEncoding guessPlainTextEncoding(std::string_view bytes);

// The characters of rule 3. A GBK text whose bytes are also UTF-8 of only such characters (and
// ASCII) reads as that UTF-8: the one way a text this program writes can come back changed,
// and only a very short one (渭 is CE BC, which is also μ).
bool isEuropeanCharacter(char32_t c);

}  // namespace pennory::text
