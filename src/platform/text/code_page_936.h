#pragma once
// Code page 936 (GBK), as ICU's "windows-936-2000" converter defines it: the Windows table,
// with the user-defined areas mapped one-to-one to private-use characters. ICU is used in
// this folder only.

#include <cstdint>
#include <string>
#include <string_view>

namespace pennory::text::cp936 {

// Whole-text conversion. encode() writes '?' for a character the code page cannot represent;
// decode() turns an invalid byte sequence into U+FFFD or what ICU substitutes.
std::string encode(std::u16string_view text);
std::u16string decode(std::string_view bytes);

// True when the character has a code page 936 byte sequence of its own.
bool representable(char16_t c);

// The cipher's character code: one byte b gives b (0..255); two bytes L, T give
// L*256 + T - 65536 (always negative); anything else the code of '?', 63: characters the code
// page lacks, surrogate code units, and the characters ICU converts to no bytes at all (U+200B,
// U+FEFF, U+00AD and the like). Table look-up, no conversion call.
std::int16_t charCode(char16_t c);

// The character of a code, for every code from -32768 to 255: one byte for 0..255, else the
// two bytes (n + 65536) / 256 and (n + 65536) % 256 as one sequence. Always exactly one
// UTF-16 unit: where ICU decodes the bytes to more than one character (a trail byte that is no
// trail byte, as in 81 30, or a first byte 0x80 or 0xFF, which stand alone) the result is the
// first unit ICU produces, so 81 30 gives U+FFFD; where ICU produces nothing, U+FFFD. A lone
// lead byte (0x81..0xFE) gives U+FFFD. Table look-up.
char16_t charOfCode(std::int16_t code);

}  // namespace pennory::text::cp936
