// Any bytes read as a plain-text file: no crash; a refused file is one with a NUL byte outside
// UTF-16; what was read can be written and split into lines.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text/plain_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto text = pennory::text::decodePlainText(bytes);
    const bool utf16 =
        size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    const bool hasNul = std::memchr(data, 0, size) != nullptr;
    if (text.has_value() == (hasNul && !utf16)) __builtin_trap();
    if (!text) return 0;

    const std::string encoded = pennory::text::encodePlainText(*text);
    // Every UTF-16 unit becomes at least one byte (a surrogate pair four): nothing is dropped.
    if (encoded.size() < text->size()) __builtin_trap();

    std::size_t joined = 0;
    for (const auto& line : pennory::text::splitLines(*text)) joined += line.size();
    if (joined > text->size()) __builtin_trap();
    return 0;
}
