// The editor layout's edits: what a change lays out at once, and what it asks to be drawn
// again, from the whole document put in to the lines a key changed.

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <tuple>

#include "platform/qt/qt_manuscript_layout.h"

namespace pennory::platform::qt {

namespace {

// The most blocks an edit lays out before it returns.
constexpr int kLaidOutAtOnce = 64;

}  // namespace

void ManuscriptLayout::documentChanged(int from, int removed, int added) {
    QTextDocument* doc = document();
    const int oldCount = m_heights.size();
    const int length = doc->characterCount();
    const bool full = (removed == 0 && added == length) || oldCount == 0;
    if (full) {
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            block.clearLayout();
        }
        m_pending.clear();
        m_caretLines = {};
        measure();
        estimateAll();
        m_changedFrom = 0;
        reportChanges(0);
        scheduleIdleLayout();
        return;
    }
    const QTextBlock first = doc->findBlock(std::max(0, from));
    QTextBlock last = doc->findBlock(std::clamp(from + added, 0, std::max(0, length - 1)));
    if (!first.isValid()) return;
    if (!last.isValid()) last = doc->lastBlock();
    const int firstIndex = first.blockNumber();
    const int lastIndex = std::max(firstIndex, last.blockNumber());
    const int newCount = doc->blockCount();
    const int replacedOld = std::max(0, lastIndex - firstIndex + 1 - (newCount - oldCount));
    double changedTop = blockTop(firstIndex);

    std::vector<double> estimates;
    QTextBlock block = first;
    for (int i = firstIndex; i <= lastIndex && block.isValid(); ++i, block = block.next()) {
        block.clearLayout();
        estimates.push_back(m_heights.size() > i && i - firstIndex < replacedOld ? m_heights.at(i)
                                                                                 : estimate(block));
    }
    for (int i = firstIndex; i < firstIndex + replacedOld && i < oldCount; ++i) {
        if (!m_exact[static_cast<std::size_t>(i)]) --m_estimated;
    }
    m_heights.replace(firstIndex, replacedOld, estimates);
    // Heights waiting from the idle layout follow their blocks; those of the replaced ones go.
    const int shift = static_cast<int>(estimates.size()) - replacedOld;
    std::erase_if(m_pending, [&](auto& entry) {
        if (entry.first < firstIndex) return false;
        if (entry.first < firstIndex + replacedOld) return true;
        entry.first += shift;
        return false;
    });
    const auto at = m_exact.begin() + firstIndex;
    m_exact.erase(at, at + std::min<int>(replacedOld, static_cast<int>(m_exact.end() - at)));
    m_exact.insert(m_exact.begin() + firstIndex, estimates.size(), 0);
    m_estimated += static_cast<int>(estimates.size());
    // The gap above the block after depends on the last one's format, which an edit within its
    // text, short of its paragraph mark, leaves as it was.
    const bool withinText = newCount == oldCount && firstIndex == lastIndex &&
                            from + added < last.position() + last.length() - 1;
    if (!withinText && block.isValid() && lastIndex + 1 < m_heights.size() &&
        m_exact[lastIndex + 1]) {
        m_exact[static_cast<std::size_t>(lastIndex + 1)] = 0;
        ++m_estimated;
    }

    // A small change is laid out at once, as the writer waits for it; a large one (a whole
    // manuscript put in) as it is drawn and in idle time.
    if (!doc->pageSize().isNull() && lastIndex - firstIndex < kLaidOutAtOnce) {
        keepShaped(first);
        block = first;
        const int laidOutTo = withinText ? lastIndex : lastIndex + 1;
        for (int i = firstIndex; i <= laidOutTo && block.isValid(); ++i, block = block.next()) {
            if (!m_exact[static_cast<std::size_t>(i)]) layoutBlock(block, i);
        }
        place(first, firstIndex);
    }
    // Only the changed blocks need drawing again, unless the blocks below moved; within one
    // block, only the lines the change reached.
    const bool moved = m_heights.size() != oldCount || m_changedFrom >= 0;
    const bool oneBlock = firstIndex == lastIndex && m_exact[static_cast<std::size_t>(firstIndex)];
    // Lines set closer than their glyphs are tall reach above the block's slot.
    const QTextLayout* laidOut = first.layout();
    if (m_exact[static_cast<std::size_t>(firstIndex)] && laidOut->lineCount() > 0) {
        changedTop = std::min(changedTop, laidOut->position().y() + laidOut->lineAt(0).y());
    }
    double repaintTop = changedTop;
    double bottom = blockTop(std::min(lastIndex + 1, m_heights.size()));
    if (!moved && oneBlock) {
        std::tie(repaintTop, bottom) =
            changedSpan(first, from - first.position(), removed, added, bottom);
    }
    m_caretLines = oneBlock ? linesOf(first) : BlockLines{};
    m_idleNext = std::min(m_idleNext, firstIndex);
    if (moved) {
        reportChanges(m_changedFrom >= 0 ? std::min(m_changedFrom, changedTop) : changedTop);
    } else {
        reportChanges(-1);
        emit update(QRectF(0, repaintTop, qreal(INT_MAX), bottom - repaintTop));
    }
    scheduleIdleLayout();
}

std::pair<double, double> ManuscriptLayout::changedSpan(const QTextBlock& block, int from,
                                                       int removed, int added,
                                                       double blockBottom) const {
    const QTextLayout* laidOut = block.layout();
    const double top = laidOut->position().y();
    const BlockLines& before = m_caretLines;
    if (before.block == block.blockNumber() && before.position == block.position() &&
        before.length + added - removed == block.length()) {
        const BlockLines now = linesOf(block);
        const auto [first, last] = changedLines(before.lines, now.lines, from, removed, added);
        if (first < last) {
            const LineSpan& end = now.lines[static_cast<std::size_t>(last - 1)];
            return {top + now.lines[static_cast<std::size_t>(first)].y, top + end.y + end.height};
        }
    }
    // How the lines stood is not known: from the line above the change, which a word may have
    // left, to the end of the block.
    const QTextLine line = laidOut->lineForTextPosition(std::max(0, from));
    const QTextLine above = laidOut->lineAt(line.isValid() ? std::max(0, line.lineNumber() - 1) : 0);
    return {above.isValid() ? top + above.y() : top, blockBottom};
}

// The block being edited keeps its shaped text after it is laid out, so that the caret's
// place and the drawing of its lines do not shape it again; the block edited before lets its
// go when it is next laid out.
void ManuscriptLayout::keepShaped(const QTextBlock& block) {
    const QTextBlock before = m_shapedKept.block();
    if (!m_shapedKept.isNull() && before != block && before.isValid()) {
        before.layout()->setCacheEnabled(false);
    }
    block.layout()->setCacheEnabled(true);
    m_shapedKept = QTextCursor(block);
}

// Reports a changed size, and asks for what moved to be drawn again.
void ManuscriptLayout::reportChanges(double fromY) const {
    auto* self = const_cast<ManuscriptLayout*>(this);
    const QSizeF size = documentSize();
    if (size != m_reportedSize) {
        m_reportedSize = size;
        emit self->documentSizeChanged(size);
    }
    if (fromY < 0) fromY = m_changedFrom;
    if (fromY >= 0) emit self->update(QRectF(0, fromY, qreal(INT_MAX), qreal(INT_MAX)));
    m_changedFrom = -1;
}

}  // namespace pennory::platform::qt
