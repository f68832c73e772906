#pragma once
// Which lines of a paragraph an edit changed, so that a key repaints those and not the lines
// that stand as they stood: typing a letter into a line with room left at its end changes that
// line only, while an insertion that pushes a character on changes every line after it.

#include <utility>
#include <vector>

class QTextBlock;

namespace pennory::platform::qt {

// One laid-out line, in its block's coordinates; start and length in the block's text.
struct LineSpan {
    int start = 0;
    int length = 0;
    double x = 0, y = 0, width = 0, height = 0;
};

// The lines of one block as they were laid out, with where the block stood in the text then.
struct BlockLines {
    int block = -1;  // the block's number; -1 when nothing is kept
    int position = 0;
    int length = 0;
    std::vector<LineSpan> lines;
};

BlockLines linesOf(const QTextBlock& block);

// The lines [first, last) of `now` that differ from `before`, when the block's text from
// `from` (in the block) lost `removed` characters and gained `added`. A line that touches the
// changed text, or a character next to it, counts as changed: shaping may join across it.
std::pair<int, int> changedLines(const std::vector<LineSpan>& before,
                                 const std::vector<LineSpan>& now, int from, int removed,
                                 int added);

}  // namespace pennory::platform::qt
