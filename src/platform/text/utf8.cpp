#include "platform/text/utf8.h"

#include <cstdint>
#include <cstring>

namespace pennory::text::utf8 {

DecodeResult decode(std::string_view bytes, std::u16string& out) {
    DecodeResult result;
    result.longestSequence = bytes.empty() ? 0 : 1;
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* dst = out.data() + start;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = src + bytes.size();
    auto fail = [&] {
        out.resize(start);
        return DecodeResult{};
    };
    while (src < end) {
        // Eight ASCII bytes at a time: the common case of text and markup.
        if (end - src >= 8) {
            std::uint64_t word;
            std::memcpy(&word, src, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                for (int k = 0; k < 8; ++k) dst[k] = src[k];
                dst += 8;
                src += 8;
                continue;
            }
        }
        const unsigned char b = *src;
        if (b < 0x80) {
            *dst++ = b;
            ++src;
            continue;
        }
        auto cont = [&](std::ptrdiff_t k) { return (src[k] & 0xC0) == 0x80; };
        if (b >= 0xC2 && b <= 0xDF) {
            if (end - src < 2 || !cont(1)) return fail();
            *dst++ = static_cast<char16_t>(((b & 0x1F) << 6) | (src[1] & 0x3F));
            src += 2;
            if (result.longestSequence < 2) result.longestSequence = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (end - src < 3 || !cont(1) || !cont(2)) return fail();
            const char32_t c = ((b & 0x0F) << 12) | ((src[1] & 0x3F) << 6) | (src[2] & 0x3F);
            if (c < 0x800 || (c >= 0xD800 && c < 0xE000)) return fail();
            *dst++ = static_cast<char16_t>(c);
            src += 3;
            if (result.longestSequence < 3) result.longestSequence = 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            if (end - src < 4 || !cont(1) || !cont(2) || !cont(3)) return fail();
            const char32_t c = ((b & 0x07) << 18) | ((src[1] & 0x3F) << 12) |
                               ((src[2] & 0x3F) << 6) | (src[3] & 0x3F);
            if (c < 0x10000 || c > 0x10FFFF) return fail();
            // Four bytes give two units, so the output may outgrow the byte count only here,
            // and never does: four bytes in, two units out.
            *dst++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *dst++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            src += 4;
            result.longestSequence = 4;
        } else {
            return fail();
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    result.valid = true;
    return result;
}

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    decode(bytes, out);
    return out;
}

void append(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace pennory::text::utf8
