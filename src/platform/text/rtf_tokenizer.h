#pragma once
// Splits RTF bytes into tokens. Knows the syntax only (groups, control words and symbols, hex
// escapes, binary data), nothing of what the words mean; the reader gives them meaning.

#include <cstdint>
#include <string_view>

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

    explicit RtfTokenizer(std::string_view input) : m_input(input) {}

    // The next token. Never fails: damaged input gives best-effort tokens, and the end of the
    // input (also in the middle of a word or escape) gives End, again and again.
    RtfToken next();

    std::size_t position() const { return m_pos; }

private:
    bool scan(RtfToken& token);  // false when the bytes read gave no token
    RtfToken controlWord();

    std::string_view m_input;
    std::size_t m_pos = 0;
};

}  // namespace pennory::text
