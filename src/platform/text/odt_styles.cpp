#include "platform/text/odt_styles.h"

#include <charconv>

#include "platform/text/odt_names.h"
#include "platform/text/utf8.h"

namespace pennory::text {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<bool> weight(std::string_view value) {
    if (value.empty()) return std::nullopt;
    if (value == "bold") return true;
    if (value == "normal") return false;
    int number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc()) return std::nullopt;
    return number >= 600;
}

std::optional<bool> posture(std::string_view value) {
    if (value.empty()) return std::nullopt;
    return value == "italic" || value == "oblique";
}

// An underline or line-through: its style (or type) "none" turns it off.
std::optional<bool> line(std::string_view style, std::string_view type) {
    if (!type.empty() && type == "none") return false;
    if (style.empty()) return type.empty() ? std::nullopt : std::optional<bool>(true);
    return style != "none";
}

std::optional<Colour> colourValue(std::string_view value) {
    if (value.size() != 7 || value[0] != '#') return std::nullopt;
    unsigned rgbValue = 0;
    auto [end, error] = std::from_chars(value.data() + 1, value.data() + 7, rgbValue, 16);
    if (error != std::errc() || end != value.data() + 7) return std::nullopt;
    return rgb(int(rgbValue >> 16), int(rgbValue >> 8), int(rgbValue));
}

float sized(const std::optional<OdtSize>& size, float inherited) {
    if (!size) return inherited;
    return size->percent ? inherited * size->value / 100.0f : size->value;
}

}  // namespace

std::u16string odtFamilyName(std::string_view value) {
    std::string_view first = trimmed(value.substr(0, value.find(',')));
    if (first.size() >= 2 && (first.front() == '\'' || first.front() == '"') &&
        first.back() == first.front())
        first = first.substr(1, first.size() - 2);
    return utf8::toUtf16(first);
}

std::optional<OdtSize> odtSize(std::string_view value) {
    value = trimmed(value);
    float number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || !(number > 0)) return std::nullopt;
    std::string_view unit(end, static_cast<std::size_t>(value.data() + value.size() - end));
    if (unit == "pt") return OdtSize{number, false};
    if (unit == "%") return OdtSize{number, true};
    if (unit == "px") return OdtSize{number * 0.75f, false};
    if (unit == "pc") return OdtSize{number * 12.0f, false};
    if (unit == "in") return OdtSize{number * 72.0f, false};
    if (unit == "cm") return OdtSize{number * 72.0f / 2.54f, false};
    if (unit == "mm") return OdtSize{number * 72.0f / 25.4f, false};
    return std::nullopt;
}

void OdtTextProperties::read(const std::vector<XmlAttribute>& attributes,
                             const std::map<std::string, std::u16string, std::less<>>& faces) {
    auto face = [&](std::string_view name) {
        auto found = faces.find(name);
        return found != faces.end() ? found->second : odtFamilyName(name);
    };
    using namespace odt;
    std::string_view value;
    if (!(value = attribute(attributes, kFontName)).empty())
        font = face(value);
    else if (!(value = attribute(attributes, kFoFontFamily)).empty())
        font = odtFamilyName(value);
    if (!(value = attribute(attributes, kFontNameAsian)).empty())
        fontAsian = face(value);
    else if (!(value = attribute(attributes, kFontFamilyAsian)).empty())
        fontAsian = odtFamilyName(value);
    if (auto s = odtSize(attribute(attributes, kFoFontSize))) size = s;
    if (auto s = odtSize(attribute(attributes, kFontSizeAsian))) sizeAsian = s;
    if (auto b = weight(attribute(attributes, kFoFontWeight))) bold = b;
    if (auto b = weight(attribute(attributes, kFontWeightAsian))) boldAsian = b;
    if (auto i = posture(attribute(attributes, kFoFontStyle))) italic = i;
    if (auto i = posture(attribute(attributes, kFontStyleAsian))) italicAsian = i;
    if (auto u =
            line(attribute(attributes, kUnderlineStyle), attribute(attributes, kUnderlineType)))
        underline = u;
    if (auto s =
            line(attribute(attributes, kLineThroughStyle), attribute(attributes, kLineThroughType)))
        strikethrough = s;
    if (auto c = colourValue(attribute(attributes, kFoColor)))
        colour = c;
    else if (attribute(attributes, kUseWindowFontColor) == "true")
        colour = 0;
}

void OdtTextProperties::applyTo(OdtFormats& formats) const {
    CharFormat& w = formats.western;
    CharFormat& a = formats.asian;
    if (font) w.fontName = *font;
    if (fontAsian) a.fontName = *fontAsian;
    w.sizePt = sized(size, w.sizePt);
    a.sizePt = sized(sizeAsian, a.sizePt);
    if (bold) w.bold = *bold;
    if (boldAsian) a.bold = *boldAsian;
    if (italic) w.italic = *italic;
    if (italicAsian) a.italic = *italicAsian;
    if (underline) w.underline = a.underline = *underline;
    if (strikethrough) w.strikethrough = a.strikethrough = *strikethrough;
    if (colour) w.colour = a.colour = *colour;
}

void OdtStyles::add(std::string_view family, std::string_view name, std::string_view parent,
                    OdtTextProperties properties) {
    std::string key = std::string(family) + ":" + std::string(name);
    m_styles[key] = Style{std::string(parent), std::move(properties)};
}

OdtFormats OdtStyles::resolve(std::string_view family, std::string_view name,
                              OdtFormats base) const {
    // The chain from the style up to its root; a cycle or a very long chain stops it.
    std::vector<const Style*> chain;
    std::string key;
    while (!name.empty() && chain.size() < 64) {
        key.assign(family).append(":").append(name);
        auto found = m_styles.find(key);
        if (found == m_styles.end()) break;
        chain.push_back(&found->second);
        name = found->second.parent;
    }
    if (family == "paragraph" && defaultParagraph) defaultParagraph->applyTo(base);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->properties.applyTo(base);
    return base;
}

void OdtStyles::addParagraph(std::string_view name, std::string_view parent,
                             OdtParagraphProperties properties) {
    m_paragraphStyles[std::string(name)] = ParagraphStyle{std::string(parent), properties};
}

ParagraphFormat OdtStyles::paragraphFormat(std::string_view name) const {
    std::vector<const ParagraphStyle*> chain;
    while (!name.empty() && chain.size() < 64) {
        auto found = m_paragraphStyles.find(name);
        if (found == m_paragraphStyles.end()) break;
        chain.push_back(&found->second);
        name = found->second.parent;
    }
    ParagraphFormat format;
    if (defaultParagraphProperties) defaultParagraphProperties->applyTo(format);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->properties.applyTo(format);
    return format;
}

}  // namespace pennory::text
