#include "platform/text/plain_text_encoding.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/text/cp936_tables.h"
#include "platform/text/gb18030.h"
#include "platform/text/utf8.h"

namespace pennory::text {
namespace {

constexpr std::size_t kSampleBytes = 64 * 1024;

std::size_t firstNonAscii(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return i;
    }
    return std::string_view::npos;
}

// The log-probability of a character in text a Chinese writer keeps, in tenths of a natural
// logarithm: 80 % of characters among the 3,755 common ones, 4 % among the 3,008 others of
// GB2312, 12 % punctuation and signs, 2 % European letters and units, and so on down to
// private-use, control and unassigned characters. Summed over a reading, it compares the two
// readings of the same bytes, which differ in how many characters they make as well.
int weightOf(char32_t c) {
    if (c >= 0x4E00 && c <= 0x9FFF) {
        const std::uint16_t bytes = cp936::Tables::get().bytesOf(static_cast<char16_t>(c));
        const unsigned lead = bytes >> 8;
        const unsigned trail = bytes & 0xFF;
        if (bytes == cp936::Tables::kNoBytes || lead < 0xB0 || lead > 0xF7 || trail < 0xA1)
            return -149;  // outside GB2312
        return lead <= 0xD7 ? -85 : -112;
    }
    if (isEuropeanCharacter(c)) return -92;
    if ((c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF5E) ||
        (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E) ||
        (c >= 0x2100 && c <= 0x214F) || c == 0x20AC) {
        return -78;  // punctuation, full-width forms, letter-like signs, the euro sign
    }
    if ((c >= 0x100 && c <= 0x17F) || (c >= 0x400 && c <= 0x4FF) || (c >= 0x2150 && c <= 0x22FF) ||
        (c >= 0x2460 && c <= 0x26FF) || (c >= 0x3040 && c <= 0x30FF) ||
        (c >= 0xFF5F && c <= 0xFFEF) || (c >= 0x1F300 && c <= 0x1FAFF)) {
        return -126;  // other alphabets, symbols, kana, emoji
    }
    return -225;  // control, private-use, rare and unassigned characters
}

struct Reading {
    long score = 0;
    bool europeanOnly = true;

    void add(char32_t c) {
        if (c < 0x80) return;  // the same in both readings
        score += weightOf(c);
        if (!isEuropeanCharacter(c)) europeanOnly = false;
    }
};

Reading readingOf(std::u16string_view text) {
    Reading r;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        r.add(c);
    }
    return r;
}

}  // namespace

bool isEuropeanCharacter(char32_t c) {
    return (c >= 0xA0 && c <= 0xFF) || (c >= 0x386 && c <= 0x3CE && c != 0x3A2) ||
           c == 0x2103 /* ℃ */ || c == 0x2109 /* ℉ */ || c == 0x2126 /* Ω */ || c == 0x2030 /* ‰ */;
}

PlainTextEncoding guessPlainTextEncoding(std::string_view bytes) {
    const std::size_t first = firstNonAscii(bytes);
    if (first == std::string_view::npos) return PlainTextEncoding::Utf8;

    // The sample ends at a byte below '0', which is a character of its own in both encodings;
    // failing one within another 64 KiB, it is cut where it stands.
    std::size_t end = std::min(bytes.size(), first + kSampleBytes);
    const std::size_t limit = std::min(bytes.size(), first + 2 * kSampleBytes);
    while (end < limit && static_cast<unsigned char>(bytes[end]) >= 0x30) ++end;
    const bool cut = end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x30;
    const std::string_view sample = bytes.substr(first, end - first);

    // A cut sample may end inside a UTF-8 sequence: leave its continuation bytes out.
    std::string_view utf8Sample = sample;
    if (cut) {
        std::size_t n = utf8Sample.size();
        int back = 0;
        while (n > 0 && back < 3 &&
               (static_cast<unsigned char>(utf8Sample[n - 1]) & 0xC0) == 0x80) {
            --n;
            ++back;
        }
        if (n > 0 && static_cast<unsigned char>(utf8Sample[n - 1]) >= 0xC0) --n;
        utf8Sample = utf8Sample.substr(0, n);
    }
    std::u16string asUtf8;
    if (!utf8::decode(utf8Sample, asUtf8).valid) return PlainTextEncoding::Gb18030;
    // A lone 0x80 (the euro sign of Windows) inside UTF-8 is a continuation byte, not a euro.
    if (!gb18030::wellFormed(sample, cut, false)) return PlainTextEncoding::Utf8;

    const Reading utf8Reading = readingOf(asUtf8);
    if (utf8Reading.europeanOnly) return PlainTextEncoding::Utf8;
    const Reading gbReading = readingOf(gb18030::decode(sample));
    return utf8Reading.score > gbReading.score ? PlainTextEncoding::Utf8
                                               : PlainTextEncoding::Gb18030;
}

}  // namespace pennory::text
