// The editor layout in idle time: the blocks not yet laid out are laid out in short slices, and
// the heights found are taken in together a few times a second, the view moved with them.

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimerEvent>

#include "platform/qt/qt_manuscript_layout.h"

namespace pennory::platform::qt {

namespace {

// How often the heights the idle layout found are taken in, moving the view and its scroll bar.
constexpr qint64 kPendingIntervalMs = 400;
// How long nothing must have been drawn before those heights are taken in.
constexpr qint64 kQuietMs = 200;
// How long one idle slice may lay out before it lets events in.
constexpr qint64 kSliceNanoseconds = 2'000'000;

}  // namespace

void ManuscriptLayout::scheduleIdleLayout() {
    const bool waiting = m_estimated > 0 || !m_pending.empty();
    if (waiting && !document()->pageSize().isNull() && !m_idleTimer.isActive()) {
        m_idleTimer.start(0, this);
    }
}

void ManuscriptLayout::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_idleTimer.timerId()) {
        QAbstractTextDocumentLayout::timerEvent(event);
        return;
    }
    idleSlice();
}

void ManuscriptLayout::idleSlice() {
    QElapsedTimer clock;
    clock.start();
    const QTextDocument* doc = document();
    if (m_idleNext >= m_heights.size()) m_idleNext = 0;
    const int anchor = m_anchor < m_heights.size() ? m_anchor : -1;
    const double anchorTop = anchor >= 0 ? blockTop(anchor) : 0;
    QTextBlock block = doc->findBlockByNumber(m_idleNext);
    int checked = 0;
    while (m_estimated > 0 && checked < m_heights.size()) {
        if (!block.isValid()) {
            m_idleNext = 0;
            block = doc->begin();
        }
        if (!m_exact[static_cast<std::size_t>(m_idleNext)]) {
            layoutBlock(block, m_idleNext, true);
            if (clock.nsecsElapsed() > kSliceNanoseconds) {
                ++m_idleNext;
                break;
            }
        }
        block = block.next();
        ++m_idleNext;
        ++checked;
    }
    const bool due = m_estimated == 0 || !m_sincePendingTaken.isValid() ||
                     m_sincePendingTaken.elapsed() >= kPendingIntervalMs;
    // Not while what the writer does is being drawn: the scroll bar would move under a jump
    // to the end or a key a moment after it.
    const bool quiet = !m_sinceDrawn.isValid() || m_sinceDrawn.elapsed() >= kQuietMs;
    if (due && quiet) {
        takePendingHeights();
        reportChanges(-1);
        keepInView(anchor, anchorTop);
    }
    if (m_estimated == 0) {
        if (m_pending.empty()) {
            m_idleTimer.stop();
        } else {
            m_idleTimer.start(kQuietMs, this);  // only the heights wait, for a quiet moment
        }
    }
}

void ManuscriptLayout::takePendingHeights() {
    m_sincePendingTaken.start();
    for (const auto& [index, slot] : m_pending) {
        if (index >= m_heights.size()) continue;
        if (m_changedFrom < 0 || blockTop(index) < m_changedFrom) m_changedFrom = blockTop(index);
        m_heights.set(index, slot);
    }
    m_pending.clear();
}

// The view shows the same text while the blocks above it are laid out: their heights move it
// by as much as they changed from their estimates.
void ManuscriptLayout::keepInView(int anchor, double anchorTop) {
    if (anchor < 0 || anchor >= m_heights.size()) return;
    // The scroll bar moves in whole pixels; what is left of a shift goes with the next one, so
    // that many small shifts do not add up to a drift.
    const double shift = blockTop(anchor) - anchorTop + m_shiftLeft;
    m_shiftLeft = 0;
    if (shift == 0) return;
    for (QObject* object = document()->parent(); object; object = object->parent()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(object)) {
            QScrollBar* bar = area->verticalScrollBar();
            if (bar->value() > 0) {
                const int step = qRound(shift);
                bar->setValue(bar->value() + step);
                m_shiftLeft = shift - step;
            }
            return;
        }
    }
}

}  // namespace pennory::platform::qt
