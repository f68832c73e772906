#pragma once
// How one paragraph is set: alignment, indents, line spacing and the space around it. Every
// paragraph of a manuscript has one; the default is what a plain text file gives.

namespace pennory::text {

enum class Alignment { Left, Centre, Right, Justify };

// An indent the writer gives in characters (as Chinese manuscripts indent by two) or in
// points. In characters it follows the size of the paragraph's text, so it stays two
// characters when the font changes.
struct Indent {
    int charsHundredths = 0;  // 200 = two characters; when non-zero, points is ignored
    float points = 0.0f;

    bool isCharacters() const { return charsHundredths != 0; }
    // The indent in points for text of sizePt.
    float pointsFor(float sizePt) const {
        return isCharacters() ? charsHundredths / 100.0f * sizePt : points;
    }
    bool operator==(const Indent&) const = default;
};

struct LineSpacing {
    enum class Rule { Multiple, Exactly, AtLeast };
    Rule rule = Rule::Multiple;
    float value = 1.0f;  // a factor for Multiple (1, 1.5, 2), points otherwise

    bool operator==(const LineSpacing&) const = default;
};

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    Indent firstLine;  // negative: a hanging first line
    Indent left;
    Indent right;
    LineSpacing lineSpacing;
    float spaceBeforePt = 0.0f;
    float spaceAfterPt = 0.0f;

    bool operator==(const ParagraphFormat&) const = default;
};

}  // namespace pennory::text
