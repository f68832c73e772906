#include "platform/text/docx_run_properties.h"

#include <charconv>

#include "platform/text/docx_names.h"
#include "platform/text/utf8.h"

namespace pennory::text::docx {
namespace {

template <typename T>
void take(std::optional<T>& into, const std::optional<T>& from) {
    if (from) into = from;
}

void readFonts(const std::vector<XmlAttribute>& attributes, RunProperties& props) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kAttributes = {{
        {"ascii", "asciiTheme"},        // FontSlot::Ascii
        {"eastAsia", "eastAsiaTheme"},  // FontSlot::EastAsia
        {"hAnsi", "hAnsiTheme"},        // FontSlot::HighAnsi
    }};
    for (std::size_t slot = 0; slot < kAttributes.size(); ++slot) {
        const std::string_view name = wordAttribute(attributes, kAttributes[slot].first);
        const std::string_view theme = wordAttribute(attributes, kAttributes[slot].second);
        if (name.empty() && theme.empty()) continue;
        props.fonts[slot] = FontChoice{utf8::toUtf16(name), std::string(theme)};
    }
    const std::string_view hint = wordAttribute(attributes, "hint");
    if (!hint.empty()) props.hintEastAsia = hint == "eastAsia";
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "RRGGBB" as 0x00BBGGRR; "auto" is the text colour, black.
std::optional<Colour> colourOf(std::string_view text) {
    if (text == "auto") return Colour{0};
    if (text.size() != 6) return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (error != std::errc() || end != text.data() + 6) return std::nullopt;
    return rgb(static_cast<int>(value >> 16), static_cast<int>(value >> 8),
               static_cast<int>(value));
}

}  // namespace

void RunProperties::overlay(const RunProperties& over) {
    for (std::size_t slot = 0; slot < fonts.size(); ++slot) take(fonts[slot], over.fonts[slot]);
    take(hintEastAsia, over.hintEastAsia);
    take(halfPoints, over.halfPoints);
    take(bold, over.bold);
    take(italic, over.italic);
    take(underline, over.underline);
    take(strike, over.strike);
    take(doubleStrike, over.doubleStrike);
    take(colour, over.colour);
}

void readRunProperty(std::string_view local, const std::vector<XmlAttribute>& attributes,
                     RunProperties& props) {
    if (local == "rFonts") {
        readFonts(attributes, props);
    } else if (local == "sz") {
        if (const auto n = number(wordAttribute(attributes, "val")); n && *n > 0)
            props.halfPoints = *n;
    } else if (local == "b") {
        props.bold = toggleOn(attributes);
    } else if (local == "i") {
        props.italic = toggleOn(attributes);
    } else if (local == "u") {
        const std::string_view v = wordAttribute(attributes, "val");
        props.underline = v != "none";
    } else if (local == "strike") {
        props.strike = toggleOn(attributes);
    } else if (local == "dstrike") {
        props.doubleStrike = toggleOn(attributes);
    } else if (local == "color") {
        if (const auto c = colourOf(wordAttribute(attributes, "val"))) props.colour = *c;
    }
}

}  // namespace pennory::text::docx
