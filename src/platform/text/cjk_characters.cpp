#include "platform/text/cjk_characters.h"

namespace pennory::text {

bool isEastAsianCharacter(char32_t c) {
    if (c < 0x1100) return false;
    return (c >= 0x1100 && c <= 0x11FF) ||  // hangul jamo
           (c >= 0x2E80 && c <= 0x2FDF) ||  // radicals
           (c >= 0x2FF0 && c <= 0x303F) ||  // description characters, CJK punctuation
           (c >= 0x3040 && c <= 0x31FF) ||  // kana, bopomofo, hangul compatibility jamo
           (c >= 0x3200 && c <= 0x4DBF) ||  // enclosed, compatibility, extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||  // unified ideographs
           (c >= 0xA960 && c <= 0xA97F) ||  // hangul jamo extended A
           (c >= 0xAC00 && c <= 0xD7FF) ||  // hangul syllables, jamo extended B
           (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
           (c >= 0xFE10 && c <= 0xFE1F) ||  // vertical forms
           (c >= 0xFE30 && c <= 0xFE4F) ||  // compatibility forms
           (c >= 0xFF00 && c <= 0xFFEF) ||  // half-width and full-width forms
           (c >= 0x20000 && c <= 0x3FFFF);  // supplementary ideographs
}

}  // namespace pennory::text
