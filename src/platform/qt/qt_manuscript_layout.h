#pragma once
// The layout of an editor's document: it lays out only what is drawn, hit or asked for, and
// the rest a little at a time while the program is idle, so that opening a long manuscript
// or jumping to its end costs a screenful rather than the whole book.
//
// For a document of one root frame of blocks (Pennory's documents hold no tables, lists or
// floats) a block laid out here stands where QTextDocumentLayout puts it: the same lines, the
// same margins between blocks, the same scaling of fixed lengths for the paint device. A block
// not yet laid out is given an estimated height from its length, the text width and the
// default font, so the document's size is known at once and grows exact as blocks are laid
// out; documentSizeChanged reports each correction.

#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QRectF>
#include <QTextCursor>
#include <utility>
#include <vector>

#include "platform/qt/qt_block_heights.h"
#include "platform/qt/qt_changed_lines.h"

class QTextBlock;
class QTextDocument;

namespace pennory::platform::qt {

class ManuscriptLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)

public:
    explicit ManuscriptLayout(QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    int cursorWidth() const { return m_cursorWidth; }
    void setCursorWidth(int width) { m_cursorWidth = width; }

    // Whether every block is laid out, none estimated.
    bool isSettled() const { return m_estimated == 0 && m_pending.empty(); }
    // Lays out every block still estimated, at once.
    void settle();

protected:
    void documentChanged(int from, int removed, int added) override;
    void resizeInlineObject(QTextInlineObject item, int position,
                            const QTextFormat& format) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct Geometry {
        double margin = 0;    // the document margin, around the text
        double left = 0;      // where lines start, before a block's own indents
        double right = 0;     // where they end
        double dpiScale = 1;  // the device's logical DPI over 96
        double estimatedLine = 0;
        double estimatedAdvance = 0;  // of one CJK character
    };
    void measure();
    void estimateAll();
    double estimate(const QTextBlock& block) const;
    // Lays block (number index) out if it is estimated, then puts its layout where it stands
    // now; true when its height changed.
    bool ensure(const QTextBlock& block, int index, bool deferHeight = false) const;
    // deferHeight: the block's height waits in m_pending (idle time), so that what is drawn
    // keeps its place until the heights are taken in together.
    bool layoutBlock(const QTextBlock& block, int index, bool deferHeight = false) const;
    void takePendingHeights();
    double gapBefore(const QTextBlock& block) const;
    double blockTop(int index) const { return m_geometry.margin + m_heights.before(index); }
    void place(const QTextBlock& block, int index) const;
    void drawBlock(QPainter* painter, const PaintContext& context, const QTextBlock& block,
                   const QRectF& clip) const;
    void reportChanges(double fromY) const;
    void keepShaped(const QTextBlock& block);
    // The part of a block an edit within it changed, from the top of its first changed line.
    std::pair<double, double> changedSpan(const QTextBlock& block, int from, int removed,
                                          int added, double blockBottom) const;
    void scheduleIdleLayout();
    void idleSlice();
    void keepInView(int anchor, double anchorTop);

    Geometry m_geometry;
    // A block's slot: the gap above it and the height it adds to the flow.
    mutable BlockHeights m_heights;
    mutable std::vector<unsigned char> m_exact;
    mutable int m_estimated = 0;
    mutable double m_contentsWidth = 0;
    mutable QSizeF m_reportedSize;
    mutable double m_changedFrom = -1;  // the top of the first slot changed since reported
    mutable int m_anchor = -1;          // the block at the top of what was drawn last
    int m_idleNext = 0;                 // the first block the idle layout has not checked
    QBasicTimer m_idleTimer;
    // Heights the idle layout found, by block number, not yet in m_heights; taken in at most
    // every kPendingInterval once nothing has been drawn for a moment, when the idle layout
    // ends and before any edit, so that the view moves and its scroll bar changes a few times
    // rather than at every slice, and not just after the writer's own move.
    mutable std::vector<std::pair<int, double>> m_pending;
    QElapsedTimer m_sincePendingTaken;
    mutable QElapsedTimer m_sinceDrawn;
    double m_shiftLeft = 0;  // the part of the view's last shift the scroll bar could not take
    int m_cursorWidth = 1;
    // The lines of the block the caret was last drawn in or the last edit laid out, to tell
    // which of them the next edit changes.
    mutable BlockLines m_caretLines;
    QTextCursor m_shapedKept;  // in the block that keeps its shaped text
};

}  // namespace pennory::platform::qt
