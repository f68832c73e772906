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

}  // namespace pennory::text::utf8
