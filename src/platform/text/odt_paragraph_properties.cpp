#include "platform/text/odt_paragraph_properties.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/text/odt_names.h"

namespace pennory::text {
namespace {

#define PENNORY_FO(local) "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0|" local
constexpr std::string_view kTextAlign = PENNORY_FO("text-align");
constexpr std::string_view kTextIndent = PENNORY_FO("text-indent");
constexpr std::string_view kMarginLeft = PENNORY_FO("margin-left");
constexpr std::string_view kMarginRight = PENNORY_FO("margin-right");
constexpr std::string_view kMarginTop = PENNORY_FO("margin-top");
constexpr std::string_view kMarginBottom = PENNORY_FO("margin-bottom");
constexpr std::string_view kLineHeight = PENNORY_FO("line-height");
constexpr std::string_view kLineHeightAtLeast =
    "urn:oasis:names:tc:opendocument:xmlns:style:1.0|line-height-at-least";
#undef PENNORY_FO

// A length in points, negative ones too; "150%" gives the factor 1.5 with percent set.
std::optional<float> lengthOf(std::string_view value, bool* percent = nullptr) {
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    float number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || !std::isfinite(number)) return std::nullopt;
    const std::string_view unit(end, static_cast<std::size_t>(value.data() + value.size() - end));
    if (percent) *percent = unit == "%";
    if (unit == "%") return percent ? std::optional<float>(number / 100.0f) : std::nullopt;
    if (unit == "pt") return number;
    if (unit == "px") return number * 0.75f;
    if (unit == "pc") return number * 12.0f;
    if (unit == "in") return number * 72.0f;
    if (unit == "cm") return number * 72.0f / 2.54f;
    if (unit == "mm") return number * 72.0f / 25.4f;
    return std::nullopt;
}

std::optional<Alignment> alignmentOf(std::string_view value) {
    if (value == "start" || value == "left") return Alignment::Left;
    if (value == "center") return Alignment::Centre;
    if (value == "end" || value == "right") return Alignment::Right;
    if (value == "justify") return Alignment::Justify;
    return std::nullopt;
}

std::string points(float value) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, std::round(value * 100.0f) / 100.0f);
    return std::string(buffer, end) + "pt";
}

}  // namespace

void OdtParagraphProperties::read(const std::vector<XmlAttribute>& attributes) {
    if (auto a = alignmentOf(attribute(attributes, kTextAlign))) alignment = a;
    auto length = [&](std::string_view name, std::optional<float>& into) {
        if (auto v = lengthOf(attribute(attributes, name))) into = v;
    };
    length(kTextIndent, textIndent);
    length(kMarginLeft, marginLeft);
    length(kMarginRight, marginRight);
    length(kMarginTop, marginTop);
    length(kMarginBottom, marginBottom);
    const std::string_view height = attribute(attributes, kLineHeight);
    bool percent = false;
    if (height == "normal") {
        lineSpacing = LineSpacing{};
    } else if (auto v = lengthOf(height, &percent); v && *v > 0) {
        lineSpacing = percent ? LineSpacing{LineSpacing::Rule::Multiple, *v}
                              : LineSpacing{LineSpacing::Rule::Exactly, *v};
    }
    if (auto v = lengthOf(attribute(attributes, kLineHeightAtLeast)); v && *v > 0)
        lineSpacing = LineSpacing{LineSpacing::Rule::AtLeast, *v};
}

void OdtParagraphProperties::applyTo(ParagraphFormat& f) const {
    if (alignment) f.alignment = *alignment;
    if (textIndent) f.firstLine = Indent{0, *textIndent};
    if (marginLeft) f.left = Indent{0, *marginLeft};
    if (marginRight) f.right = Indent{0, *marginRight};
    if (marginTop) f.spaceBeforePt = std::max(*marginTop, 0.0f);
    if (marginBottom) f.spaceAfterPt = std::max(*marginBottom, 0.0f);
    if (lineSpacing) f.lineSpacing = *lineSpacing;
}

std::string odtParagraphProperties(const ParagraphFormat& f, float sizePt) {
    if (f == ParagraphFormat{}) return {};
    std::string out = "<style:paragraph-properties";
    static constexpr const char* kAlign[] = {"start", "center", "end", "justify"};
    if (f.alignment != Alignment::Left)
        out += std::string(" fo:text-align=\"") + kAlign[static_cast<int>(f.alignment)] + "\"";
    auto length = [&](const char* name, float value) {
        if (value != 0.0f) out += std::string(" ") + name + "=\"" + points(value) + "\"";
    };
    length("fo:margin-left", f.left.pointsFor(sizePt));
    length("fo:margin-right", f.right.pointsFor(sizePt));
    length("fo:text-indent", f.firstLine.pointsFor(sizePt));
    length("fo:margin-top", f.spaceBeforePt);
    length("fo:margin-bottom", f.spaceAfterPt);
    const LineSpacing& spacing = f.lineSpacing;
    if (!(spacing == LineSpacing{})) {
        switch (spacing.rule) {
            case LineSpacing::Rule::Multiple:
                out += " fo:line-height=\"" + std::to_string(std::lround(spacing.value * 100.0f)) +
                       "%\"";
                break;
            case LineSpacing::Rule::Exactly:
                out += " fo:line-height=\"" + points(spacing.value) + "\"";
                break;
            case LineSpacing::Rule::AtLeast:
                out += " style:line-height-at-least=\"" + points(spacing.value) + "\"";
                break;
        }
    }
    out += "/>";
    return out;
}

}  // namespace pennory::text
