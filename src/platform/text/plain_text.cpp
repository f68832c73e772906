#include "platform/text/plain_text.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <array>
#include <cstring>

#include "platform/text/icu_converter.h"
#include "platform/text/utf8.h"

namespace pennory::text {
namespace {

constexpr char16_t kEuro = 0x20AC;

// Windows writes the euro sign as the single byte 0x80, which GB18030 leaves undefined; read
// it as the euro sign and substitute everything else that is invalid as ICU does.
void gb18030ToUnicodeCallback(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
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

IcuConverter& gb18030Reader() {
    thread_local IcuConverter converter("gb18030");
    thread_local bool prepared = false;
    if (!prepared && converter.valid()) {
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setToUCallBack(converter.get(), gb18030ToUnicodeCallback, nullptr, nullptr, nullptr,
                            &error);
        prepared = true;
    }
    return converter;
}

std::u16string decodeGb18030(std::string_view bytes) {
    std::u16string out;
    gb18030Reader().decodeAppend(bytes, out);
    return out;
}

// True when the bytes are GB18030 without a single invalid sequence.
bool isCleanGb18030(std::string_view bytes, std::u16string& decoded) {
    IcuConverter converter("gb18030");
    if (!converter.valid()) return false;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
    decoded.resize(bytes.size() + 1);
    error = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(decoded.data()),
                                    static_cast<int32_t>(decoded.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &error);
    if (U_FAILURE(error)) return false;
    decoded.resize(static_cast<std::size_t>(n));
    return true;
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.resize(bytes.size() / 2);
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned hi = bigEndian ? src[2 * i] : src[2 * i + 1];
        const unsigned lo = bigEndian ? src[2 * i + 1] : src[2 * i];
        out[i] = static_cast<char16_t>((hi << 8) | lo);
    }
    if (bytes.size() % 2 != 0) out.push_back(u'\uFFFD');
    return out;
}

bool startsWith(std::string_view bytes, const char* prefix, std::size_t n) {
    return bytes.size() >= n && std::memcmp(bytes.data(), prefix, n) == 0;
}

// The bytes encodePlainText() writes for each character of the Basic Multilingual Plane: its
// GB18030 form (which equals its code page 936 form wherever both define the character).
struct PlainTables {
    std::array<std::uint32_t, 65536> bytes{};  // first byte in the low eight bits
    std::array<std::uint8_t, 65536> length{};

    PlainTables() {
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
        // Code page 936 has the euro sign as 0x80; the reader maps that byte back.
        bytes[kEuro] = 0x80;
        length[kEuro] = 1;
    }

    static const PlainTables& get() {
        static const PlainTables tables;
        return tables;
    }
};

}  // namespace

std::optional<std::u16string> decodePlainText(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE", 2)) return decodeUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF", 2)) return decodeUtf16(bytes.substr(2), true);
    if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return std::nullopt;

    std::u16string out;
    if (startsWith(bytes, "\xEF\xBB\xBF", 3)) {
        if (!utf8::decode(bytes.substr(3), out).valid) {
            IcuConverter converter("UTF-8");
            converter.decodeAppend(bytes.substr(3), out);
        }
        return out;
    }
    const utf8::DecodeResult utf8 = utf8::decode(bytes, out);
    if (utf8.valid) {
        // Text whose only non-ASCII characters are two-byte UTF-8 sequences is ambiguous: a
        // short Chinese text in GBK (a one-word password) often has exactly that shape, while
        // Chinese in UTF-8 takes three bytes a character. Files this program wrote are GBK, so
        // such text is read as GB18030 when it is valid GB18030.
        if (utf8.longestSequence == 2) {
            std::u16string gb;
            if (isCleanGb18030(bytes, gb)) return gb;
        }
        return out;
    }
    return decodeGb18030(bytes);
}

std::string encodePlainText(std::u16string_view text) {
    const PlainTables& t = PlainTables::get();
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

std::vector<std::u16string> splitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace pennory::text
