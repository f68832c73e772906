#include "platform/text/plain_text.h"

#include <cstring>
#include <utility>

#include "platform/text/binary_file_check.h"
#include "platform/text/code_page_936_text.h"
#include "platform/text/gb18030.h"
#include "platform/text/icu_converter.h"
#include "platform/text/plain_text_encoding.h"
#include "platform/text/utf8.h"

namespace pennory::text {
namespace {

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

// A byte-order mark decides by itself. valid tells whether the bytes were well-formed in the
// encoding read.
std::optional<std::u16string> decodeMarked(std::string_view bytes, bool& valid) {
    valid = true;
    if (startsWith(bytes, "\xFF\xFE", 2)) return decodeUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF", 2)) return decodeUtf16(bytes.substr(2), true);
    if (!startsWith(bytes, "\xEF\xBB\xBF", 3)) return std::nullopt;
    std::u16string out;
    if (!utf8::decode(bytes.substr(3), out).valid) {
        valid = false;
        IcuConverter converter("UTF-8");
        converter.decodeAppend(bytes.substr(3), out);
    }
    return out;
}

}  // namespace

std::optional<std::u16string> decodePlainText(std::string_view bytes) {
    if (looksLikeBinaryFile(bytes)) return std::nullopt;
    const bool hasNul = std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
    bool valid = true;
    std::optional<std::u16string> text = decodeMarked(bytes, valid);
    if (!text) {
        text.emplace();
        if (guessPlainTextEncoding(bytes) == PlainTextEncoding::Utf8 &&
            utf8::decode(bytes, *text).valid) {
            return text;
        }
        if (hasNul) valid = gb18030::wellFormed(bytes);
        *text = gb18030::decode(bytes);
    }
    // NUL characters are text only in a file that is well-formed throughout, as every file
    // this program writes is; executables, pictures and compressed archives never are.
    if (hasNul && !valid) return std::nullopt;
    return text;
}

std::u16string decodeGb18030Text(std::string_view bytes) {
    bool valid = true;
    if (std::optional<std::u16string> text = decodeMarked(bytes, valid)) return *text;
    return gb18030::decode(bytes);
}

std::string encodePlainText(std::u16string_view text) {
    if (std::optional<std::string> bytes = cp936::encodeReadableAsGb18030(text)) {
        // The euro sign's 0x80 after bytes that with it spell UTF-8 ("涓€" is E4 B8 80, the
        // UTF-8 of "一") would read back as that UTF-8; GB18030's A2 E3 is never UTF-8.
        if (text.find(u'\u20AC') == std::u16string_view::npos ||
            guessPlainTextEncoding(*bytes) == PlainTextEncoding::Gb18030) {
            return std::move(*bytes);
        }
    }
    return gb18030::encode(text);
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
