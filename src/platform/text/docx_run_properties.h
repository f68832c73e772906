#pragma once
// Run properties (w:rPr) as one level of the style hierarchy sets them: every property is
// optional, and a level laid over another replaces what it sets.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/docx_fonts.h"
#include "platform/text/styled_text.h"
#include "platform/text/xml_reader.h"

namespace pennory::text::docx {

// One of a run's three fonts: a name, or a font of the document's theme (w:asciiTheme and
// the like, "minorEastAsia", ...), which then wins over the name.
struct FontChoice {
    std::u16string name;
    std::string theme;
    bool operator==(const FontChoice&) const = default;
};

struct RunProperties {
    std::array<std::optional<FontChoice>, 3> fonts;  // indexed by FontSlot
    std::optional<bool> hintEastAsia;
    std::optional<int> halfPoints;
    std::optional<bool> bold, italic, underline, strike, doubleStrike;
    std::optional<Colour> colour;

    // Lays over on this level: what over sets replaces what this level had.
    void overlay(const RunProperties& over);
};

// Reads one child element of w:rPr (local is its WordprocessingML local name) into props;
// other elements are ignored.
void readRunProperty(std::string_view local, const std::vector<XmlAttribute>& attributes,
                     RunProperties& props);

}  // namespace pennory::text::docx
