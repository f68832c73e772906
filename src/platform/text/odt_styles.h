#pragma once
// The character properties of ODT styles (style:text-properties) and their inheritance:
// a style's own properties over its parent's, a paragraph style's root over the default
// paragraph style. Each resolved format is a pair, Western and Asian, because ODT keeps the
// font, size, weight and posture of East Asian text apart.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/odt_paragraph_properties.h"
#include "platform/text/styled_text.h"
#include "platform/text/xml_reader.h"

namespace pennory::text {

struct OdtFormats {
    CharFormat western;
    CharFormat asian;
    bool operator==(const OdtFormats&) const = default;
};

// A size is either absolute (pt) or a percentage of the inherited size.
struct OdtSize {
    float value = 0;
    bool percent = false;
};

struct OdtTextProperties {
    std::optional<std::u16string> font, fontAsian;
    std::optional<OdtSize> size, sizeAsian;
    std::optional<bool> bold, boldAsian, italic, italicAsian, underline, strikethrough;
    std::optional<Colour> colour;

    // Reads the attributes of one style:text-properties element over what is already set;
    // faces maps style:font-name values to family names.
    void read(const std::vector<XmlAttribute>& attributes,
              const std::map<std::string, std::u16string, std::less<>>& faces);
    void applyTo(OdtFormats& formats) const;
    // True when any of the Asian properties is set.
    bool setsAsian() const { return fontAsian || sizeAsian || boldAsian || italicAsian; }
};

class OdtStyles {
public:
    std::map<std::string, std::u16string, std::less<>> faces;  // font face name -> family
    std::optional<OdtTextProperties> defaultParagraph;

    void add(std::string_view family, std::string_view name, std::string_view parent,
             OdtTextProperties properties);
    // The formats of text in the style (family "paragraph" or "text") over base; an unknown
    // style leaves base as it is. Paragraph styles start from the default paragraph style.
    OdtFormats resolve(std::string_view family, std::string_view name, OdtFormats base) const;

    // Paragraph properties: the default paragraph style's, then a paragraph style's chain from
    // its root (common styles, then the automatic style that names it).
    std::optional<OdtParagraphProperties> defaultParagraphProperties;
    void addParagraph(std::string_view name, std::string_view parent,
                      OdtParagraphProperties properties);
    ParagraphFormat paragraphFormat(std::string_view name) const;

private:
    struct Style {
        std::string parent;
        OdtTextProperties properties;
    };
    std::map<std::string, Style, std::less<>> m_styles;  // "family:name"
    struct ParagraphStyle {
        std::string parent;
        OdtParagraphProperties properties;
    };
    std::map<std::string, ParagraphStyle, std::less<>> m_paragraphStyles;
};

// The family named by an svg:font-family or fo:font-family value: the first of a list,
// quotes removed.
std::u16string odtFamilyName(std::string_view value);
// "10.5pt", "12px", "0.5cm", "150%"; nullopt for what is no length.
std::optional<OdtSize> odtSize(std::string_view value);

}  // namespace pennory::text
