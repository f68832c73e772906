#pragma once
// One font: what the font command applies to text, the font dialog offers and a character
// format holds beside its colour.

#include <string>

namespace pennory::text {

struct Font {
    std::u16string fontName = u"宋体";
    float sizePt = 9.0f;  // float so that 10.5 survives
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const Font&) const = default;
};

}  // namespace pennory::text
