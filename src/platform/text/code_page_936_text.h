#pragma once
// Code page 936 as the encoding of a text file that is read back as GB18030 (the byte 0x80 as
// the euro sign), as decodePlainText() reads a Chinese text file without a byte-order mark.
// The two share the bytes of nearly every character; these functions tell where they do not.

#include <optional>
#include <string>
#include <string_view>

namespace pennory::text::cp936 {

// True when the character has code page 936 bytes and a GB18030 reading of them gives it back.
// That is every character the code page has, the euro sign (0x80) and its user-defined areas
// (U+E000..U+E765) included, but for 83 other private-use characters it maps, whose bytes
// GB18030 gives to other characters or leaves undefined: U+E76C (A2 E3, the euro sign there),
// U+E7C7 (A8 BC), U+E7C8 (A8 BF), U+E7E7..U+E7F3 (A9 89..A9 95), 65 of U+E815..U+E863
// (FE 50..FE 9F) and U+F8F5 (FF).
bool readsBackAsGb18030(char16_t c);

// The code page 936 bytes of the text when every character readsBackAsGb18030(); nullopt as
// soon as one does not (a lone or paired surrogate never does).
std::optional<std::string> encodeReadableAsGb18030(std::u16string_view text);

}  // namespace pennory::text::cp936
