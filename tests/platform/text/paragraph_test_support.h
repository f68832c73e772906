#pragma once
// Paragraph formats in the peer tests: one sample manuscript whose paragraphs use every kind
// of format, and a description of a paragraph's format in points, rounded to half a point,
// so that a file's units (twips, centimetres) and characters given as lengths compare alike.

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/text/styled_text.h"

namespace pennory::text::testing {

// Four paragraphs of 12 pt text:
//   0 centred, 6 pt before and 12 pt after;
//   1 justified, first line indented by two characters, 18 pt left and 9 pt right, 1.5 lines;
//   2 right-aligned, exactly 18 pt;
//   3 a hanging indent of 21 pt under a 42 pt left indent, at least 15 pt.
inline StyledText paragraphSample() {
    CharFormat twelve;
    twelve.fontName = u"宋体";
    twelve.sizePt = 12.0f;
    StyledText text(u"标题居中\r\n正文首行缩进两字，一倍半行距。\r\n右对齐\r\n悬挂缩进", twelve);
    ParagraphFormat centred;
    centred.alignment = Alignment::Centre;
    centred.spaceBeforePt = 6.0f;
    centred.spaceAfterPt = 12.0f;
    ParagraphFormat body;
    body.alignment = Alignment::Justify;
    body.firstLine.charsHundredths = 200;
    body.left.points = 18.0f;
    body.right.points = 9.0f;
    body.lineSpacing.value = 1.5f;
    ParagraphFormat right;
    right.alignment = Alignment::Right;
    right.lineSpacing = {LineSpacing::Rule::Exactly, 18.0f};
    ParagraphFormat hanging;
    hanging.left.points = 42.0f;
    hanging.firstLine.points = -21.0f;
    hanging.lineSpacing = {LineSpacing::Rule::AtLeast, 15.0f};
    text.setParagraphFormat(0, centred);
    text.setParagraphFormat(1, body);
    text.setParagraphFormat(2, right);
    text.setParagraphFormat(3, hanging);
    return text;
}

// "centre first 24 left 18 right 9 multiple 1.50 before 6 after 12" for a paragraph of
// sizePt text.
inline std::string describeParagraph(const ParagraphFormat& f, float sizePt = 12.0f) {
    static const char* const kAlign[] = {"left", "centre", "right", "justify"};
    static const char* const kRule[] = {"multiple", "exactly", "at-least"};
    auto half = [](float points) { return std::round(points * 2.0f) / 2.0f; };
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%s first %g left %g right %g %s %.2f before %g after %g",
                  kAlign[static_cast<int>(f.alignment)], half(f.firstLine.pointsFor(sizePt)),
                  half(f.left.pointsFor(sizePt)), half(f.right.pointsFor(sizePt)),
                  kRule[static_cast<int>(f.lineSpacing.rule)],
                  f.lineSpacing.rule == LineSpacing::Rule::Multiple ? f.lineSpacing.value
                                                                    : half(f.lineSpacing.value),
                  half(f.spaceBeforePt), half(f.spaceAfterPt));
    return buffer;
}

// Each paragraph of text described, one a line.
inline std::string describeParagraphs(const StyledText& text, float sizePt = 12.0f) {
    std::string out;
    for (const ParagraphFormat& f : text.paragraphs()) out += describeParagraph(f, sizePt) + "\n";
    return out;
}

// A page for other programs to convert: a centred 16 pt title, then 12 pt text whose first
// line is indented by two characters' length, at 1.5 lines and 6 pt after.
inline constexpr const char* kParagraphPage =
    "<html><head><meta charset=\"utf-8\"></head><body>"
    "<p style=\"text-align:center; font-size:16pt\">标题</p>"
    "<p style=\"text-indent:24pt; line-height:150%; margin-top:0pt; margin-bottom:6pt; "
    "font-size:12pt\">正文两字缩进。</p></body></html>\n";
// The same in Markdown, for pandoc: a heading, a paragraph and a quotation.
inline constexpr const char* kParagraphMarkdown = "# 标题\n\n正文。\n\n> 引文。\n";

// The first count paragraphs of text described, the first one at titlePt, the others at
// 12 pt.
inline std::string describeFirstParagraphs(const StyledText& text, std::size_t count,
                                           float titlePt = 16.0f) {
    std::string out;
    const auto& paragraphs = text.paragraphs();
    for (std::size_t p = 0; p < count && p < paragraphs.size(); ++p)
        out += describeParagraph(paragraphs[p], p == 0 ? titlePt : 12.0f) + "\n";
    return out;
}

}  // namespace pennory::text::testing
