#pragma once
// Strict UTF-8 decoding (no overlong forms, no surrogates, nothing above U+10FFFF).

#include <string>
#include <string_view>

namespace pennory::text::utf8 {

struct DecodeResult {
    bool valid = false;
    int longestSequence = 0;  // bytes in the longest sequence seen (1 for ASCII only text)
};

// Appends the decoded text to out when the bytes are valid UTF-8; otherwise leaves out as it
// was and returns valid = false.
DecodeResult decode(std::string_view bytes, std::u16string& out);

// The decoded text, or "" when the bytes are not valid UTF-8 (an XML parser's attribute
// values, which it has checked already).
std::u16string toUtf16(std::string_view bytes);

// Appends the UTF-8 form of one character (at most U+10FFFF, no surrogate) to out.
void append(char32_t c, std::string& out);

}  // namespace pennory::text::utf8
