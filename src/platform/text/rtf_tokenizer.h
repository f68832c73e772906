#pragma once
// Splits RTF bytes into tokens. Knows the syntax only (groups, control words and symbols, hex
// escapes, binary data), nothing of what the words mean; the reader gives them meaning.

#include <cstdint>
#include <limits>
#include <string_view>

#include "platform/text/byte_window.h"

namespace pennory::text {

struct RtfToken {
    enum class Type : std::uint8_t {
        End,            // no more input
        GroupStart,     // {
        GroupEnd,       // }
        ControlWord,    // \name or \nameN; name in text, N in parameter
        ControlSymbol,  // \ followed by one non-letter, in symbol (\' excluded)
        HexByte,        // \'hh, the byte in byte (fewer than two hex digits: no token)
        Text,           // a run of literal bytes, in text (never contains \ { } CR LF)
        Binary,         // the data of \binN, in text
    };

    Type type = Type::End;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
    std::int32_t parameter = 0;
    std::string_view text;
};

class RtfTokenizer {
public:
    // Control word names longer than this are cut (the rest of the letters is still consumed).
    static constexpr std::size_t kMaxWordLength = 32;

    static constexpr std::size_t kNothingKept = std::numeric_limits<std::size_t>::max();

    explicit RtfTokenizer(std::string_view input) : m_data(input.data()), m_size(input.size()) {}
    // Reads input as it is extended, and gives back what lies before both the current token
    // and the offset given to keepFrom(). The tokens are those of the input read whole.
    explicit RtfTokenizer(ByteWindow& input)
        : m_window(&input), m_data(input.data()), m_size(input.available()) {}

    // The next token. Never fails: damaged input gives best-effort tokens, and the end of the
    // input (also in the middle of a word or escape) gives End, again and again. A token's
    // text stays valid while the bytes it stands in are kept.
    RtfToken next();

    // The offset just after the last token.
    std::size_t position() const { return m_pos; }
    // The input read so far, at its offsets; bytes given back may no longer be read.
    std::string_view bytes() const { return {m_data, m_size}; }
    // Bytes from offset on are still needed after the token at hand (kNothingKept: none).
    void keepFrom(std::size_t offset) { m_keep = offset; }

private:
    // false when the bytes read gave no token
    [[gnu::always_inline]] bool scan(RtfToken& token);
    RtfToken controlWord();
    // Extends the input; false at its end.
    [[gnu::cold]] bool more();
    // True when n bytes from the position are there, extending the input as needed.
    bool have(std::size_t n) { return m_size - m_pos >= n || extendFor(n); }
    [[gnu::cold]] bool extendFor(std::size_t n);
    // Moves the position past the bytes for which goOn is true, extending the input.
    template <typename GoOn>
    [[gnu::always_inline]] void skipWhile(GoOn goOn);

    ByteWindow* m_window = nullptr;  // nullptr: the input is whole
    const char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::size_t m_tokenStart = 0;
    std::size_t m_keep = kNothingKept;
};

}  // namespace pennory::text
