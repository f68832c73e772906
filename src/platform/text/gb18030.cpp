#include "platform/text/gb18030.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <array>
#include <cstdint>

#include "platform/text/icu_converter.h"

namespace pennory::text::gb18030 {
namespace {

constexpr char16_t kEuro = 0x20AC;

// Windows writes the euro sign as the single byte 0x80, which GB18030 leaves undefined; read
// it as the euro sign and substitute everything else that is invalid as ICU does.
void toUnicodeCallback(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                       int32_t length, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    if (length == 1 && static_cast<unsigned char>(codeUnits[0]) == 0x80) {
        *error = U_ZERO_ERROR;
        const UChar euro = kEuro;
        ucnv_cbToUWriteUChars(args, &euro, 1, 0, error);
        return;
    }
    UCNV_TO_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, reason, error);
}

IcuConverter& reader() {
    thread_local IcuConverter converter("gb18030");
    thread_local bool prepared = false;
    if (!prepared && converter.valid()) {
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setToUCallBack(converter.get(), toUnicodeCallback, nullptr, nullptr, nullptr, &error);
        prepared = true;
    }
    return converter;
}

bool isLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isDigit(unsigned char b) { return b >= 0x30 && b <= 0x39; }

// The bytes of each character of the Basic Multilingual Plane, first byte in the low eight
// bits; built once from ICU, so that encoding makes no conversion call per character.
struct Tables {
    std::array<std::uint32_t, 65536> bytes{};
    std::array<std::uint8_t, 65536> length{};

    Tables() {
        IcuConverter converter("gb18030");
        for (int c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c < 0xE000) {
                bytes[c] = '?';
                length[c] = 1;
                continue;
            }
            const UChar unit = static_cast<UChar>(c);
            char out[8] = {};
            UErrorCode error = U_ZERO_ERROR;
            ucnv_resetFromUnicode(converter.get());
            int n = converter.valid()
                        ? ucnv_fromUChars(converter.get(), out, sizeof out, &unit, 1, &error)
                        : 0;
            if (U_FAILURE(error) || n < 1 || n > 4) {
                n = 1;
                out[0] = '?';
            }
            std::uint32_t packed = 0;
            for (int k = n - 1; k >= 0; --k)
                packed = (packed << 8) | static_cast<unsigned char>(out[k]);
            bytes[c] = packed;
            length[c] = static_cast<std::uint8_t>(n);
        }
    }

    static const Tables& get() {
        static const Tables tables;
        return tables;
    }
};

}  // namespace

bool wellFormed(std::string_view bytes, bool cutAtEnd, bool euroByte) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80 || (b == 0x80 && euroByte)) {
            ++i;
            continue;
        }
        if (!isLead(b)) return false;
        if (i + 1 >= n) return cutAtEnd;
        const unsigned char t = p[i + 1];
        if (isDigit(t)) {
            if (i + 3 >= n) return cutAtEnd && (i + 2 >= n || isLead(p[i + 2]));
            if (!isLead(p[i + 2]) || !isDigit(p[i + 3])) return false;
            i += 4;
        } else if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE)) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::u16string decode(std::string_view bytes) {
    std::u16string out;
    reader().decodeAppend(bytes, out);
    return out;
}

std::string encode(std::u16string_view text) {
    const Tables& t = Tables::get();
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            // GB18030 numbers the supplementary planes linearly from 90 30 81 30.
            std::uint32_t n = ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
            const char b4 = static_cast<char>(0x30 + n % 10);
            n /= 10;
            const char b3 = static_cast<char>(0x81 + n % 126);
            n /= 126;
            const char b2 = static_cast<char>(0x30 + n % 10);
            n /= 10;
            const char b1 = static_cast<char>(0x90 + n);
            out.push_back(b1);
            out.push_back(b2);
            out.push_back(b3);
            out.push_back(b4);
            continue;
        }
        std::uint32_t packed = t.bytes[c];
        for (int k = 0; k < t.length[c]; ++k, packed >>= 8) {
            out.push_back(static_cast<char>(packed & 0xFF));
        }
    }
    return out;
}

}  // namespace pennory::text::gb18030
