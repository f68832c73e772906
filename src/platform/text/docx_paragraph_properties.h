#pragma once
// Paragraph properties (w:pPr) as one level of the style hierarchy sets them (document
// defaults, a paragraph style and its ancestors, the paragraph's own), and as the writer puts
// them: w:jc, w:ind and w:spacing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/paragraph_format.h"
#include "platform/text/xml_reader.h"

namespace pennory::text::docx {

struct ParagraphProperties {
    std::optional<Alignment> alignment;
    // Indents in twips and in hundredths of a character (w:firstLineChars and the like), which
    // win over the twips where non-zero, as in Word. A hanging indent is a negative first line.
    std::optional<int> firstTwips, firstChars, leftTwips, leftChars, rightTwips, rightChars;
    std::optional<int> line;  // w:line: 240ths of a line for "auto", twips otherwise
    std::optional<LineSpacing::Rule> lineRule;
    std::optional<int> beforeTwips, afterTwips;

    // Lays over on this level: what over sets replaces what this level had.
    void overlay(const ParagraphProperties& over);
    // What is set, with the defaults for the rest.
    ParagraphFormat format() const;
};

// Reads one child element of w:pPr (local is its WordprocessingML local name) into props;
// other elements are ignored.
void readParagraphProperty(std::string_view local, const std::vector<XmlAttribute>& attributes,
                           ParagraphProperties& props);

// Appends w:pPr for format, with indents in characters as twips for text of sizePt too;
// nothing for the default format.
void putParagraphProperties(std::string& out, const ParagraphFormat& format, float sizePt);

}  // namespace pennory::text::docx
