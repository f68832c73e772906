#include "platform/text/xml_text.h"

#include "platform/text/utf8.h"

namespace pennory::text {

bool xmlCanHold(char32_t c) {
    if (c == 0x09 || c == 0x0A || c == 0x0D) return true;
    if (c >= 0x20 && c <= 0xD7FF) return true;
    if (c >= 0xE000 && c <= 0xFFFD) return true;
    return c >= 0x10000 && c <= 0x10FFFF;
}

namespace {

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Calls visit(code point) for each character; a lone surrogate arrives as itself.
template <typename Visit>
void forEachCharacter(std::u16string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        if (isHigh(u) && i + 1 < text.size() && isLow(text[i + 1])) {
            visit(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            visit(char32_t(u));
        }
    }
}

}  // namespace

bool xmlCanHold(const StyledText& content) {
    for (const StyledRun& run : content.runs()) {
        bool fine = true;
        forEachCharacter(run.text, [&](char32_t c) { fine = fine && xmlCanHold(c); });
        if (!fine) return false;
    }
    return true;
}

std::string xmlEscaped(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    forEachCharacter(text, [&](char32_t c) {
        switch (c) {
            case '&':
                out += "&amp;";
                return;
            case '<':
                out += "&lt;";
                return;
            case '>':
                out += "&gt;";
                return;
            case '"':
                out += "&quot;";
                return;
            // A parser turns a raw CR into LF, and tab and LF into spaces inside attributes.
            case '\t':
                out += "&#9;";
                return;
            case '\n':
                out += "&#10;";
                return;
            case '\r':
                out += "&#13;";
                return;
            default:
                break;
        }
        if (!xmlCanHold(c)) return;
        utf8::append(c, out);
    });
    return out;
}

}  // namespace pennory::text
