#include "platform/qt/qt_changed_lines.h"

#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace pennory::platform::qt {

BlockLines linesOf(const QTextBlock& block) {
    const QTextLayout* layout = block.layout();
    // Input-method text stands in the lines but not in the document's positions.
    if (!layout->preeditAreaText().isEmpty()) return {};
    BlockLines kept{block.blockNumber(), block.position(), block.length(), {}};
    kept.lines.reserve(static_cast<std::size_t>(layout->lineCount()));
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        kept.lines.push_back({line.textStart(), line.textLength(), line.x(), line.y(),
                              line.naturalTextWidth(), line.height()});
    }
    return kept;
}

namespace {

// The same line at the same place, its start moved by `shift`.
bool sameLine(const LineSpan& before, const LineSpan& now, int shift) {
    return before.start + shift == now.start && before.length == now.length &&
           before.x == now.x && before.y == now.y && before.width == now.width &&
           before.height == now.height;
}

}  // namespace

std::pair<int, int> changedLines(const std::vector<LineSpan>& before,
                                 const std::vector<LineSpan>& now, int from, int removed,
                                 int added) {
    const int count = static_cast<int>(now.size());
    const int shift = added - removed;
    // Lines ending before the character ahead of the change stand as they were...
    int first = 0;
    while (first < count && first < static_cast<int>(before.size()) &&
           before[first].start + before[first].length < from &&
           sameLine(before[first], now[first], 0)) {
        ++first;
    }
    // ...and so do lines starting after the character behind it, moved by the change.
    int last = count;
    int old = static_cast<int>(before.size());
    while (last > first && old > first && before[old - 1].start > from + removed &&
           sameLine(before[old - 1], now[last - 1], shift)) {
        --last;
        --old;
    }
    // An edit that changed no line's text or place still changed what the line shows.
    if (first == last && first < count) ++last;
    return {first, last};
}

}  // namespace pennory::platform::qt
