#include "platform/text/code_page_936.h"

#include <unicode/ucnv.h>

#include "platform/text/cp936_tables.h"
#include "platform/text/icu_converter.h"

namespace pennory::text::cp936 {
namespace {

constexpr const char* kConverterName = "windows-936-2000";

// Decodes a short byte sequence with ICU; returns the number of units written (at most 4).
int icuDecode(UConverter* converter, const char* bytes, int length, UChar (&out)[4]) {
    UErrorCode error = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int n = ucnv_toUChars(converter, out, 4, bytes, length, &error);
    return U_FAILURE(error) ? 0 : n;
}

}  // namespace

Tables::Tables() {
    m_bytes.fill(kNoBytes);
    IcuConverter icu(kConverterName);
    UConverter* converter = icu.get();
    if (!converter) return;

    UChar units[4];
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const int n = icuDecode(converter, &byte, 1, units);
        if (isSingle(static_cast<unsigned char>(b)) && n == 1 && units[0] != 0xFFFD) {
            m_singles[b] = units[0];
        }
        m_charOfCode[b + 32768] = n > 0 ? units[0] : u'\uFFFD';
    }
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const int n = icuDecode(converter, bytes, 2, units);
            // A code whose two bytes ICU splits into two characters, or decodes to none, still
            // needs one character of its own: the first unit ICU gave, else U+FFFD.
            const int code = lead * 256 + trail - 65536;
            m_charOfCode[code + 32768] = n > 0 ? units[0] : u'\uFFFD';
            if (lead >= 0x81 && lead <= 0xFE && n == 1 && units[0] != 0xFFFD) {
                m_pairs[(lead << 8) | trail] = units[0];
            }
        }
    }

    // Only mappings that come back as the same character count as the character's bytes;
    // ICU's STOP callback tells an unmappable character from a real '?'.
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    for (int c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const UChar unit = static_cast<UChar>(c);
        char out[8];
        error = U_ZERO_ERROR;
        ucnv_resetFromUnicode(converter);
        const int n = ucnv_fromUChars(converter, out, sizeof out, &unit, 1, &error);
        if (U_FAILURE(error)) continue;
        const auto b0 = static_cast<unsigned char>(out[0]);
        const auto b1 = static_cast<unsigned char>(out[1]);
        if (n == 1 && isSingle(b0) && m_singles[b0] == unit && (b0 != 0 || c == 0)) {
            m_bytes[c] = b0;
        } else if (n == 2 && m_pairs[(b0 << 8) | b1] == unit) {
            m_bytes[c] = static_cast<std::uint16_t>((b0 << 8) | b1);
        }
    }
}

const Tables& Tables::get() {
    static const Tables tables;
    return tables;
}

bool decodeFast(std::string_view bytes, std::u16string& out) {
    const Tables& t = Tables::get();
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* dst = out.data() + start;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = src + bytes.size();
    while (src < end) {
        const unsigned char b = *src;
        if (b < 0x80) {
            *dst++ = t.single(b);
            ++src;
        } else if (t.isSingle(b)) {
            *dst++ = t.single(b);
            ++src;
        } else {
            const char16_t c = src + 1 < end ? t.pair(b, src[1]) : 0;
            if (c == 0) {
                out.resize(start);
                return false;
            }
            *dst++ = c;
            src += 2;
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return true;
}

std::string encode(std::u16string_view text) {
    const Tables& t = Tables::get();
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const std::uint16_t b = t.bytesOf(c);
        if (b == Tables::kNoBytes) {
            // A surrogate pair is one character and gets one '?'.
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000) {
                ++i;
            }
            out.push_back('?');
        } else if (b < 0x100) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back(static_cast<char>(b >> 8));
            out.push_back(static_cast<char>(b & 0xFF));
        }
    }
    return out;
}

std::u16string decode(std::string_view bytes) {
    std::u16string out;
    if (decodeFast(bytes, out)) return out;
    IcuConverter icu(kConverterName);
    icu.decodeAppend(bytes, out);
    return out;
}

bool representable(char16_t c) { return Tables::get().bytesOf(c) != Tables::kNoBytes; }

std::int16_t charCode(char16_t c) {
    const std::uint16_t b = Tables::get().bytesOf(c);
    if (b == Tables::kNoBytes) return 63;
    if (b < 0x100) return static_cast<std::int16_t>(b);
    return static_cast<std::int16_t>(static_cast<int>(b) - 65536);
}

char16_t charOfCode(std::int16_t code) { return Tables::get().charOfCode(code); }

}  // namespace pennory::text::cp936
