#pragma once
// Look-up tables of code page 936, built once from ICU's "windows-936-2000" converter. Shared by
// the code page functions, the RTF reader and writer and the plain-text codec, so that no
// conversion call is made per character.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pennory::text::cp936 {

class Tables {
public:
    static constexpr std::uint16_t kNoBytes = 0xFFFF;

    // The bytes of a character that survives a round trip through the code page: a value
    // below 0x100 is one byte, a larger one the lead byte times 256 plus the trail byte.
    // kNoBytes for characters without such bytes (unmappable ones, surrogates, and the
    // characters ICU converts to no bytes at all, such as U+200B and U+FEFF).
    std::uint16_t bytesOf(char16_t c) const { return m_bytes[c]; }

    // What ICU decodes a two-byte sequence to, when it decodes it to exactly one character that
    // is not U+FFFD; 0 otherwise. lead and trail are any byte values.
    char16_t pair(unsigned char lead, unsigned char trail) const {
        return m_pairs[(static_cast<unsigned>(lead) << 8) | trail];
    }

    // What ICU decodes a single byte to when it stands alone; 0 for lead bytes (0x81..0xFE),
    // which need a trail byte. Byte 0 itself decodes to U+0000, reported by isSingle().
    char16_t single(unsigned char b) const { return m_singles[b]; }
    bool isSingle(unsigned char b) const { return b < 0x81 || b == 0xFF; }

    // The character of every cipher code from -32768 to 255, index code + 32768.
    char16_t charOfCode(std::int16_t code) const { return m_charOfCode[code + 32768]; }

    static const Tables& get();

private:
    Tables();

    std::array<std::uint16_t, 65536> m_bytes{};
    std::array<char16_t, 65536> m_pairs{};
    std::array<char16_t, 256> m_singles{};
    std::array<char16_t, 33024> m_charOfCode{};
};

// Decodes code page 936 bytes with the tables and appends the characters to out. Returns false
// (leaving out unchanged) at the first byte sequence that is not a plain character, so that
// the caller can let ICU decide what such input means.
bool decodeFast(std::string_view bytes, std::u16string& out);

}  // namespace pennory::text::cp936
