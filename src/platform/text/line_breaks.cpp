#include "platform/text/line_breaks.h"

namespace pennory::text {

std::u16string withCrLfLineBreaks(std::u16string_view text, ParagraphSeparator separator) {
    const bool separatorBreaks = separator == ParagraphSeparator::IsLineBreak;
    std::u16string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || (separatorBreaks && c == 0x2029)) {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace pennory::text
