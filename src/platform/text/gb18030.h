#pragma once
// GB18030, the encoding this program reads Chinese text files in and writes those that code
// page 936 cannot hold: GBK's bytes for the characters it has (the euro sign as A2 E3), four-byte
// sequences for every other character of Unicode.

#include <string>
#include <string_view>

namespace pennory::text::gb18030 {

// True when the bytes are a sequence of whole GB18030 characters (by structure: single bytes
// below 0x80, lead 81..FE with trail 40..7E or 80..FE, or four bytes lead, 30..39, lead,
// 30..39). cutAtEnd: the bytes are the beginning of longer text, so they may end inside a
// character. euroByte: the byte 0x80, the euro sign of Windows code page 936, counts as one.
bool wellFormed(std::string_view bytes, bool cutAtEnd = false, bool euroByte = true);

// Decodes GB18030, reading the single byte 0x80 as the euro sign as Windows does; other
// invalid sequences become U+FFFD or what ICU substitutes.
std::u16string decode(std::string_view bytes);

// Encodes the text; a lone surrogate, which no encoding has, becomes '?'.
std::string encode(std::u16string_view text);

}  // namespace pennory::text::gb18030
