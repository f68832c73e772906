#include "core/cipher_manuscript.h"

#include <cstdint>

#include "platform/text/code_page_936.h"
#include "protection/cipher.h"

namespace pennory::bench {

const std::u16string& cipherManuscript() {
    static const std::u16string text = [] {
        std::string bytes;
        for (int lead = 0xB0; lead <= 0xD7; ++lead) {
            for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
                bytes += static_cast<char>(lead);
                bytes += static_cast<char>(trail);
            }
        }
        std::u16string common;
        for (char16_t c : text::cp936::decode(bytes)) {
            if (protection::restorable(c)) common += c;
        }
        std::u16string out;
        out.reserve(kCipherManuscriptLength + 3);
        std::uint32_t state = 12345;
        while (out.size() < kCipherManuscriptLength) {
            state = state * 1664525u + 1013904223u;
            const std::uint32_t pick = state >> 8;
            if (pick % 61 == 0) {
                out += u"。\r\n";
            } else if (pick % 17 == 0) {
                out += u'，';
            } else {
                out += common[pick % common.size()];
            }
        }
        out.resize(kCipherManuscriptLength);
        // Never end in half a line break.
        if (out.back() == u'\r') out.back() = u'。';
        return out;
    }();
    return text;
}

}  // namespace pennory::bench
