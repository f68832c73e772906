#include "protection/cipher.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/text/code_page_936.h"

namespace pennory::protection {
namespace {

// Both directions and the restorable set for all 65536 units, built once from the code page
// tables: the per-character work is then one load, and a million characters take about as
// long as copying them.
struct CipherTables {
    std::array<char16_t, 65536> encrypt{};
    std::array<char16_t, 65536> decrypt{};
    std::array<std::uint64_t, 65536 / 64> lossy{};  // one bit per unit

    CipherTables();
    bool isLossy(char16_t c) const { return (lossy[c >> 6] >> (c & 63)) & 1u; }
};

char16_t charOfShiftedCode(char16_t c, int step) {
    const int code = text::cp936::charCode(c) + step;
    if (code < -32768 || code > 255) return u'?';
    return text::cp936::charOfCode(static_cast<std::int16_t>(code));
}

CipherTables::CipherTables() {
    for (int i = 0; i < 65536; ++i) {
        const auto c = static_cast<char16_t>(i);
        encrypt[i] = isExcepted(c) ? c : charOfShiftedCode(c, -1);
        decrypt[i] = isExcepted(c) ? c : charOfShiftedCode(c, +1);
    }
    for (int i = 0; i < 65536; ++i) {
        const char16_t scrambled = encrypt[i];
        // The editor turns a lone CR or LF into a line break, read back as CR LF.
        const bool lost = decrypt[scrambled] != i || scrambled == u'\r' || scrambled == u'\n';
        if (lost) lossy[i >> 6] |= std::uint64_t{1} << (i & 63);
    }
}

const CipherTables& tables() {
    static const auto built = std::make_unique<const CipherTables>();
    return *built;
}

// in may be out itself: each unit is read before its place is written.
void mapInto(std::u16string_view in, std::u16string& out, const std::array<char16_t, 65536>& map) {
    if (out.size() != in.size()) out.resize(in.size());
    const char16_t* src = in.data();
    char16_t* dst = out.data();
    for (std::size_t i = 0, n = in.size(); i < n; ++i) dst[i] = map[src[i]];
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// Where the first unit that is not restorable lies, or text.size(). Units are tested in
// blocks without a branch per unit, since a manuscript normally has none.
std::size_t firstLossy(const CipherTables& t, std::u16string_view text, std::size_t from) {
    constexpr std::size_t kBlock = 64;
    const char16_t* data = text.data();
    std::size_t i = from;
    for (; i + kBlock <= text.size(); i += kBlock) {
        std::uint64_t any = 0;
        for (std::size_t k = 0; k < kBlock; ++k) {
            const char16_t c = data[i + k];
            any |= t.lossy[c >> 6] >> (c & 63);
        }
        if (any & 1u) break;
    }
    for (; i < text.size(); ++i) {
        if (t.isLossy(data[i])) return i;
    }
    return text.size();
}

}  // namespace

bool isExcepted(char16_t c) {
    return std::find(kExceptedCharacters.begin(), kExceptedCharacters.end(), c) !=
           kExceptedCharacters.end();
}

char16_t encryptChar(char16_t c) { return tables().encrypt[c]; }
char16_t decryptChar(char16_t c) { return tables().decrypt[c]; }

void encryptInPlace(std::u16string& text) { mapInto(text, text, tables().encrypt); }
void decryptInPlace(std::u16string& text) { mapInto(text, text, tables().decrypt); }

std::u16string encryptText(std::u16string_view plain) {
    std::u16string out;
    mapInto(plain, out, tables().encrypt);
    return out;
}

std::u16string decryptText(std::u16string_view scrambled) {
    std::u16string out;
    mapInto(scrambled, out, tables().decrypt);
    return out;
}

bool restorable(char16_t c) { return !tables().isLossy(c); }

LossyCharacters findLossyCharacters(std::u16string_view text, std::size_t limit) {
    const CipherTables& t = tables();
    LossyCharacters found;
    for (std::size_t i = firstLossy(t, text, 0); i < text.size(); i = firstLossy(t, text, i)) {
        std::size_t length = 1;
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            length = 2;
        }
        const std::u16string_view character = text.substr(i, length);
        i += length;
        if (std::find(found.characters.begin(), found.characters.end(), character) !=
            found.characters.end()) {
            continue;
        }
        if (found.characters.size() == limit) {
            found.more = true;
            break;
        }
        found.characters.emplace_back(character);
    }
    return found;
}

}  // namespace pennory::protection
