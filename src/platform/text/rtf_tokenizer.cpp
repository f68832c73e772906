#include "platform/text/rtf_tokenizer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pennory::text {
namespace {

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Bytes that end a run of text, as a table: a picture's hex data is most of a file with
// photos, and this scan runs over every byte of it.
constexpr auto kEndsText = [] {
    std::array<bool, 256> ends{};
    for (const unsigned char c : {'\\', '{', '}', '\r', '\n'}) ends[c] = true;
    return ends;
}();
bool endsText(unsigned char c) { return kEndsText[c]; }

}  // namespace

bool RtfTokenizer::more() {
    if (!m_window) return false;
    m_window->release(std::min(m_keep, m_tokenStart));
    const std::size_t before = m_size;
    if (!m_window->extend()) return false;
    m_data = m_window->data();
    m_size = m_window->available();
    return m_size > before;
}

bool RtfTokenizer::extendFor(std::size_t n) {
    while (m_size - m_pos < n) {
        if (!more()) return false;
    }
    return true;
}

// The scan loops run over every byte of a file (a photo's hex data is most of it): the bounds
// are checked against locals, and the input is extended only where a loop reaches its end.
template <typename GoOn>
inline void RtfTokenizer::skipWhile(GoOn goOn) {
    for (;;) {
        const char* const data = m_data;
        const std::size_t size = m_size;
        std::size_t pos = m_pos;
        while (pos < size && goOn(static_cast<unsigned char>(data[pos]))) ++pos;
        m_pos = pos;
        if (pos < size) [[likely]]
            return;
        if (!more()) return;
    }
}

inline bool RtfTokenizer::scan(RtfToken& token) {
    // Line ends in RTF are not text.
    if (m_pos >= m_size || m_data[m_pos] == '\r' || m_data[m_pos] == '\n') {
        skipWhile([](unsigned char c) { return c == '\r' || c == '\n'; });
    }
    m_tokenStart = m_pos;
    if (!have(1)) {
        m_pos = m_size;
        return true;
    }

    const unsigned char c = static_cast<unsigned char>(m_data[m_pos]);
    if (c == '{') {
        ++m_pos;
        token.type = RtfToken::Type::GroupStart;
        return true;
    }
    if (c == '}') {
        ++m_pos;
        token.type = RtfToken::Type::GroupEnd;
        return true;
    }
    if (c == '\\') {
        if (!have(2)) {
            m_pos = m_size;
            return true;
        }
        const unsigned char s = static_cast<unsigned char>(m_data[m_pos + 1]);
        if (isLetter(s)) {
            token = controlWord();
            return true;
        }
        if (s == '\'') {
            // \'hh. An escape with fewer than two hex digits (\'4}, \'4 before a line end or the
            // end of the file, \'g1) is damaged and no character: a lone digit would be a
            // control character nobody wrote. Its digit is dropped; what follows reads as usual.
            m_pos += 2;
            int value = 0;
            int digits = 0;
            while (digits < 2 && have(1)) {
                const int h = hexValue(static_cast<unsigned char>(m_data[m_pos]));
                if (h < 0) break;
                value = value * 16 + h;
                ++digits;
                ++m_pos;
            }
            if (digits < 2) return false;
            token.type = RtfToken::Type::HexByte;
            token.byte = static_cast<unsigned char>(value);
            return true;
        }
        m_pos += 2;
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = static_cast<char>(s);
        return true;
    }

    // A run of literal text, up to the next special byte.
    const std::size_t start = m_pos;
    skipWhile([](unsigned char b) { return !endsText(b); });
    token.type = RtfToken::Type::Text;
    token.text = std::string_view(m_data + start, m_pos - start);
    return true;
}

RtfToken RtfTokenizer::next() {
    for (;;) {
        RtfToken token;
        if (scan(token)) return token;
    }
}

RtfToken RtfTokenizer::controlWord() {
    RtfToken token;
    token.type = RtfToken::Type::ControlWord;
    const std::size_t nameStart = ++m_pos;  // after the backslash
    skipWhile([](unsigned char c) { return isLetter(c); });
    token.text = std::string_view(m_data + nameStart, std::min(m_pos - nameStart, kMaxWordLength));

    bool negative = false;
    if (have(2) && m_data[m_pos] == '-' && isDigit(static_cast<unsigned char>(m_data[m_pos + 1]))) {
        negative = true;
        ++m_pos;
    }
    if (have(1) && isDigit(static_cast<unsigned char>(m_data[m_pos]))) {
        // Saturate instead of overflowing on absurdly long numbers.
        std::int64_t value = 0;
        skipWhile([&value](unsigned char d) {
            if (!isDigit(d)) return false;
            if (value <= 0x7FFFFFFFLL) value = value * 10 + (d - '0');
            return true;
        });
        if (negative) value = -value;
        value = std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX);
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(value);
    }
    if (have(1) && m_data[m_pos] == ' ') ++m_pos;  // the delimiting space belongs to the word

    // \binN: the next N bytes are data, whatever they contain.
    if (token.text == "bin") {
        const std::size_t want = token.hasParameter && token.parameter > 0
                                     ? static_cast<std::size_t>(token.parameter)
                                     : 0;
        have(want);
        const std::size_t length = std::min(want, m_size - m_pos);
        token.type = RtfToken::Type::Binary;
        token.text = std::string_view(m_data + m_pos, length);
        m_pos += length;
    }
    return token;
}

}  // namespace pennory::text
