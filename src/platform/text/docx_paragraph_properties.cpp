#include "platform/text/docx_paragraph_properties.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/text/docx_names.h"

namespace pennory::text::docx {
namespace {

// Beyond any page: a larger value is a damaged file, not a format.
constexpr double kMaxValue = 200000;

// A whole number; some writers give decimals ("720.0"), which are rounded.
std::optional<int> numberOf(std::string_view text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return static_cast<int>(std::lround(std::clamp(value, -kMaxValue, kMaxValue)));
}

std::optional<int> attributeNumber(const std::vector<XmlAttribute>& attributes,
                                   std::string_view local) {
    return numberOf(wordAttribute(attributes, local));
}

std::optional<Alignment> alignmentOf(std::string_view value) {
    if (value == "left" || value == "start") return Alignment::Left;
    if (value == "center") return Alignment::Centre;
    if (value == "right" || value == "end") return Alignment::Right;
    // Distributed and the Arabic justifications are justified here.
    if (value == "both" || value == "distribute" || value.ends_with("Kashida") ||
        value == "thaiDistribute")
        return Alignment::Justify;
    return std::nullopt;
}

template <typename T>
void take(std::optional<T>& into, const std::optional<T>& from) {
    if (from) into = from;
}

void readIndent(const std::vector<XmlAttribute>& attributes, ParagraphProperties& props) {
    // w:start and w:end are the newer names of w:left and w:right.
    for (const auto* name : {"left", "start"})
        take(props.leftTwips, attributeNumber(attributes, name));
    for (const auto* name : {"leftChars", "startChars"})
        take(props.leftChars, attributeNumber(attributes, name));
    for (const auto* name : {"right", "end"})
        take(props.rightTwips, attributeNumber(attributes, name));
    for (const auto* name : {"rightChars", "endChars"})
        take(props.rightChars, attributeNumber(attributes, name));
    take(props.firstTwips, attributeNumber(attributes, "firstLine"));
    take(props.firstChars, attributeNumber(attributes, "firstLineChars"));
    // A hanging indent wins over a first-line one.
    if (const auto hanging = attributeNumber(attributes, "hanging")) props.firstTwips = -*hanging;
    if (const auto hanging = attributeNumber(attributes, "hangingChars"); hanging && *hanging != 0)
        props.firstChars = -*hanging;
}

void readSpacing(const std::vector<XmlAttribute>& attributes, ParagraphProperties& props) {
    take(props.beforeTwips, attributeNumber(attributes, "before"));
    take(props.afterTwips, attributeNumber(attributes, "after"));
    if (const auto line = attributeNumber(attributes, "line")) {
        props.line = line;
        const std::string_view rule = wordAttribute(attributes, "lineRule");
        props.lineRule = rule == "exact"     ? LineSpacing::Rule::Exactly
                         : rule == "atLeast" ? LineSpacing::Rule::AtLeast
                                             : LineSpacing::Rule::Multiple;
    }
}

Indent indentOf(const std::optional<int>& twips, const std::optional<int>& chars) {
    Indent indent;
    if (chars && *chars != 0) {
        indent.charsHundredths = *chars;
    } else if (twips) {
        indent.points = static_cast<float>(*twips) / 20.0f;
    }
    return indent;
}

long twipsOf(float points) {
    if (!std::isfinite(points)) return 0;
    return std::lround(std::clamp(static_cast<double>(points) * 20.0, -kMaxValue, kMaxValue));
}

void putAttribute(std::string& out, std::string_view name, long value) {
    out += " w:";
    out += name;
    out += "=\"" + std::to_string(value) + "\"";
}

void putIndent(std::string& out, std::string_view name, const Indent& indent, float sizePt) {
    if (indent == Indent{}) return;
    putAttribute(out, name, twipsOf(indent.pointsFor(sizePt)));
    if (indent.isCharacters())
        putAttribute(out, std::string(name) + "Chars", indent.charsHundredths);
}

}  // namespace

void ParagraphProperties::overlay(const ParagraphProperties& over) {
    take(alignment, over.alignment);
    take(firstTwips, over.firstTwips);
    take(firstChars, over.firstChars);
    take(leftTwips, over.leftTwips);
    take(leftChars, over.leftChars);
    take(rightTwips, over.rightTwips);
    take(rightChars, over.rightChars);
    take(line, over.line);
    take(lineRule, over.lineRule);
    take(beforeTwips, over.beforeTwips);
    take(afterTwips, over.afterTwips);
}

ParagraphFormat ParagraphProperties::format() const {
    ParagraphFormat f;
    f.alignment = alignment.value_or(Alignment::Left);
    f.firstLine = indentOf(firstTwips, firstChars);
    f.left = indentOf(leftTwips, leftChars);
    f.right = indentOf(rightTwips, rightChars);
    if (line && *line > 0) {
        const LineSpacing::Rule rule = lineRule.value_or(LineSpacing::Rule::Multiple);
        f.lineSpacing = {rule, static_cast<float>(*line) /
                                   (rule == LineSpacing::Rule::Multiple ? 240.0f : 20.0f)};
    }
    f.spaceBeforePt = static_cast<float>(std::max(beforeTwips.value_or(0), 0)) / 20.0f;
    f.spaceAfterPt = static_cast<float>(std::max(afterTwips.value_or(0), 0)) / 20.0f;
    return f;
}

void readParagraphProperty(std::string_view local, const std::vector<XmlAttribute>& attributes,
                           ParagraphProperties& props) {
    if (local == "jc") {
        take(props.alignment, alignmentOf(wordAttribute(attributes, "val")));
    } else if (local == "ind") {
        readIndent(attributes, props);
    } else if (local == "spacing") {
        readSpacing(attributes, props);
    }
}

void putParagraphProperties(std::string& out, const ParagraphFormat& f, float sizePt) {
    if (f == ParagraphFormat{}) return;
    out += "<w:pPr>";
    const LineSpacing& spacing = f.lineSpacing;
    if (!(spacing == LineSpacing{}) || f.spaceBeforePt != 0.0f || f.spaceAfterPt != 0.0f) {
        out += "<w:spacing";
        putAttribute(out, "before", std::max(0L, twipsOf(f.spaceBeforePt)));
        putAttribute(out, "after", std::max(0L, twipsOf(f.spaceAfterPt)));
        switch (spacing.rule) {
            case LineSpacing::Rule::Multiple:
                putAttribute(out, "line",
                             std::lround(std::clamp(spacing.value, 0.0f, 100.0f) * 240.0));
                out += " w:lineRule=\"auto\"";
                break;
            case LineSpacing::Rule::Exactly:
            case LineSpacing::Rule::AtLeast:
                putAttribute(out, "line", std::max(1L, std::labs(twipsOf(spacing.value))));
                out += spacing.rule == LineSpacing::Rule::Exactly ? " w:lineRule=\"exact\""
                                                                  : " w:lineRule=\"atLeast\"";
                break;
        }
        out += "/>";
    }
    if (!(f.firstLine == Indent{} && f.left == Indent{} && f.right == Indent{})) {
        // w:left and w:right rather than w:start and w:end: Word 2007 knows only these.
        out += "<w:ind";
        putIndent(out, "left", f.left, sizePt);
        putIndent(out, "right", f.right, sizePt);
        const Indent& first = f.firstLine;
        if (first.charsHundredths < 0 || (!first.isCharacters() && first.points < 0)) {
            const Indent hanging{-first.charsHundredths, -first.points};
            putIndent(out, "hanging", hanging, sizePt);
        } else {
            putIndent(out, "firstLine", first, sizePt);
        }
        out += "/>";
    }
    switch (f.alignment) {
        case Alignment::Left:
            break;
        case Alignment::Centre:
            out += "<w:jc w:val=\"center\"/>";
            break;
        case Alignment::Right:
            out += "<w:jc w:val=\"right\"/>";
            break;
        case Alignment::Justify:
            out += "<w:jc w:val=\"both\"/>";
            break;
    }
    out += "</w:pPr>";
}

}  // namespace pennory::text::docx
