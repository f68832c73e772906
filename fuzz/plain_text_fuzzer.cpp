// Any bytes read as a plain-text file: no crash; only a file holding a NUL byte or beginning
// with an executable's or an archive's signature is refused; whatever was read is written as
// well-formed GB18030 (or code page 936, whose euro sign 0x80 GB18030 lacks) and reads back
// unchanged (a lone surrogate, which no encoding has, as '?') unless its bytes are also UTF-8
// and the guess took them for that; the password reading never refuses.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text/binary_file_check.h"
#include "platform/text/gb18030.h"
#include "platform/text/plain_text.h"
#include "platform/text/utf8.h"

namespace {

std::u16string withoutLoneSurrogates(std::u16string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            text[i] = u'?';
        }
    }
    return text;
}

// The bytes are also UTF-8 and were read as such: the guess between the two encodings, whose
// rates the tests measure, is the one way a written text can come back changed.
bool readAsTheUtf8ItAlsoIs(std::string_view bytes, const std::u16string& back) {
    std::u16string asUtf8;
    return pennory::text::utf8::decode(bytes, asUtf8).valid && asUtf8 == back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto text = pennory::text::decodePlainText(bytes);
    const bool hasNul = std::memchr(data, 0, size) != nullptr;
    if (!text && !hasNul && !pennory::text::looksLikeBinaryFile(bytes)) __builtin_trap();
    (void)pennory::text::decodeGb18030Text(bytes);
    if (!text) return 0;

    const std::string encoded = pennory::text::encodePlainText(*text);
    if (!pennory::text::gb18030::wellFormed(encoded)) __builtin_trap();
    const auto back = pennory::text::decodePlainText(encoded);
    if (!back && pennory::text::looksLikeBinaryFile(encoded)) return 0;  // documented
    if (!back) __builtin_trap();
    if (*back != withoutLoneSurrogates(*text) && !readAsTheUtf8ItAlsoIs(encoded, *back))
        __builtin_trap();

    std::size_t joined = 0;
    for (const auto& line : pennory::text::splitLines(*text)) joined += line.size();
    if (joined > text->size()) __builtin_trap();
    return 0;
}
