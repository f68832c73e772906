#pragma once
// The document cipher: every character moves one step down (encrypt) or up (decrypt) in the
// numbering of code page 936, except ten characters that stay as they are. There is no key.
// The mapping is fixed forever, so that manuscripts scrambled by any version still decrypt.
//
// Every UTF-16 unit takes part, control characters, blanks and both halves of CR LF
// included; the output has exactly as many units as the input, in the same order.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::protection {

// Both directions copy these unchanged.
inline constexpr std::array<char16_t, 10> kExceptedCharacters = {u'小', u'毒', u'取', u'病', u'！',
                                                                 u'印', u'选', u'仅', u'英', u'省'};

bool isExcepted(char16_t c);

// The character of code - 1 (encrypt) or code + 1 (decrypt), where code is the character's
// code page 936 code (cp936::charCode); an excepted character gives itself. A shifted code
// outside -32768..255 (no real character gets there) gives '?', as a failed conversion would.
char16_t encryptChar(char16_t c);
char16_t decryptChar(char16_t c);

std::u16string encryptText(std::u16string_view plain);
std::u16string decryptText(std::u16string_view scrambled);
// The same, replacing the text's units where they are, without a second copy of the text.
void encryptInPlace(std::u16string& text);
void decryptInPlace(std::u16string& text);

// False for a unit that encrypting and then decrypting would not give back through the
// editor: the nine characters that encrypt into an excepted one (孝 犊 娶 并 ＂ 癣 谨 樱 盛),
// units code page 936 cannot represent (surrogates included), units whose shifted code
// names no character of their own, and the two control characters that encrypt into a
// lone CR or LF (U+000B, U+000E), which the editor keeps as a line break.
bool restorable(char16_t c);

// The characters of text that are not restorable, each once, in the order they first
// appear, at most limit of them. A surrogate pair counts as one character.
struct LossyCharacters {
    std::vector<std::u16string> characters;
    bool more = false;  // further distinct ones were found beyond limit

    bool empty() const { return characters.empty(); }
};
LossyCharacters findLossyCharacters(std::u16string_view text, std::size_t limit);

}  // namespace pennory::protection
