#pragma once
// The paragraph properties of ODT styles (style:paragraph-properties): alignment, indents,
// margins and line height, as one style of a chain sets them and as the writer puts them.
//
// OpenDocument 1.2 holds indents only as lengths: an indent in characters is written as the
// length for the paragraph's first character's size, and read back in points.

#include <optional>
#include <string>
#include <vector>

#include "platform/text/paragraph_format.h"
#include "platform/text/xml_reader.h"

namespace pennory::text {

struct OdtParagraphProperties {
    std::optional<Alignment> alignment;
    std::optional<float> textIndent, marginLeft, marginRight, marginTop, marginBottom;  // pt
    std::optional<LineSpacing> lineSpacing;

    // Reads the attributes of one style:paragraph-properties element over what is set.
    void read(const std::vector<XmlAttribute>& attributes);
    // Lays what is set over format.
    void applyTo(ParagraphFormat& format) const;
};

// The style:paragraph-properties element for format, indents in characters measured for text
// of sizePt; empty for the default format.
std::string odtParagraphProperties(const ParagraphFormat& format, float sizePt);

}  // namespace pennory::text
