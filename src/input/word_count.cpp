#include "input/word_count.h"

namespace pennory::input {

namespace {

struct Range {
    char32_t first, last;
};

// Counted one each, in ascending order.
constexpr Range kWide[] = {
    {0x00B7, 0x00B7},    // middle dot
    {0x1100, 0x11FF},    // Hangul Jamo
    {0x2010, 0x2027},    // dashes, quotation marks, ellipsis
    {0x2030, 0x205E},    // per mille, primes, reference mark
    {0x2100, 0x27BF},    // letterlike symbols to dingbats: ℃ Ⅱ → ≤ ① ─ ■ ★
    {0x2E80, 0x2FFF},    // radicals, ideographic description
    {0x3001, 0x33FF},    // CJK punctuation, kana, bopomofo, enclosed and compatibility
    {0x3400, 0x4DBF},    // Extension A
    {0x4DC0, 0x9FFF},    // hexagrams, unified ideographs
    {0xA960, 0xA97F},    // Hangul Jamo Extended-A
    {0xAC00, 0xD7FF},    // Hangul syllables, Jamo Extended-B
    {0xF900, 0xFAFF},    // compatibility ideographs
    {0xFE10, 0xFE1F},    // vertical forms
    {0xFE30, 0xFE6F},    // compatibility and small forms
    {0xFF01, 0xFFEE},    // halfwidth and fullwidth forms
    {0x1B000, 0x1B16F},  // kana supplement and extensions
    {0x1F200, 0x1F2FF},  // enclosed ideographic supplement
    {0x20000, 0x3FFFF},  // Extensions B to H, compatibility supplement
};

bool isWide(char32_t c) {
    for (const auto& range : kWide) {
        if (c < range.first) return false;
        if (c <= range.last) return true;
    }
    return false;
}

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

CharClass classify(char32_t c) {
    switch (c) {
        case u'\r':
        case u'\n':
        case 0x0085:
        case 0x2028:
        case 0x2029:
            return CharClass::LineBreak;
        case u' ':
        case u'\t':
        case 0x00A0:
        case 0x1680:
        case 0x200B:
        case 0x202F:
        case 0x205F:
        case 0x3000:
        case 0xFEFF:
        case 0xFFFC:  // a figure: counts nothing, and parts the words beside it
            return CharClass::Blank;
        default:
            break;
    }
    if (c >= 0x2000 && c <= 0x200A) return CharClass::Blank;
    return isWide(c) ? CharClass::Wide : CharClass::Other;
}

TextCount countText(std::u16string_view text) {
    TextCount count;
    bool inRun = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1])) {
            c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        // Plain ASCII letters and digits are by far the most frequent other characters.
        const CharClass kind = (c >= u'0' && c < 0x7F) ? CharClass::Other : classify(c);
        switch (kind) {
            case CharClass::Blank:
            case CharClass::LineBreak:
                inRun = false;
                break;
            case CharClass::Wide:
                ++count.words;
                ++count.characters;
                inRun = false;
                break;
            case CharClass::Other:
                if (!inRun) ++count.words;
                ++count.characters;
                inRun = true;
                break;
        }
    }
    return count;
}

}  // namespace pennory::input
