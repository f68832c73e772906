// The editor layout's drawing: the blocks in the clip, with selections, the caret and the
// inline objects (figures) their handlers draw.

#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

#include "platform/qt/qt_manuscript_layout.h"

namespace pennory::platform::qt {

// ---- Drawing

void ManuscriptLayout::draw(QPainter* painter, const PaintContext& context) {
    const QTextDocument* doc = document();
    if (doc->pageSize().isNull() || m_heights.size() == 0) return;
    m_sinceDrawn.start();
    const QSizeF size = documentSize();
    const QRectF frame =
        QRectF(QPointF(0, 0), size).adjusted(m_geometry.margin, 0, -m_geometry.margin, 0);
    const QRectF clip = context.clip.isValid() ? (context.clip & frame) : frame;
    const double top = context.clip.isValid() ? context.clip.top() : 0;
    const double bottom = context.clip.isValid() ? context.clip.bottom() : size.height();
    int index = m_heights.indexAt(top - m_geometry.margin);
    // A block whose lines reach above its slot may still show at the top.
    index = std::max(0, index - 1);
    m_anchor = std::max(0, m_heights.indexAt(top - m_geometry.margin));
    bool changed = false;
    for (QTextBlock block = doc->findBlockByNumber(index); block.isValid();
         block = block.next(), ++index) {
        if (blockTop(index) > bottom) break;
        // A block above the top of the view keeps its slot until the view can be moved with
        // it (takePendingHeights in idle time), so that drawing never shifts what is shown.
        changed |= ensure(block, index, index < m_anchor);
        drawBlock(painter, context, block, clip);
    }
    if (changed) reportChanges(-1);
    if (!m_pending.empty()) const_cast<ManuscriptLayout*>(this)->scheduleIdleLayout();
}

void ManuscriptLayout::drawBlock(QPainter* painter, const PaintContext& context,
                                 const QTextBlock& block, const QRectF& clip) const {
    const QTextLayout* layout = block.layout();
    QRectF rect = layout->boundingRect();
    rect.translate(layout->position());
    if (!block.isVisible() || (context.clip.isValid() && (rect.bottom() < context.clip.y() ||
                                                          rect.top() > context.clip.bottom()))) {
        return;
    }
    const QTextBlockFormat format = block.blockFormat();
    const QBrush background = format.background();
    if (background != Qt::NoBrush) {
        painter->save();
        painter->setBrushOrigin(rect.topLeft());
        painter->fillRect(rect, background);
        painter->restore();
    }

    QList<QTextLayout::FormatRange> selections;
    const int start = block.position();
    const int length = block.length();
    for (const Selection& range : context.selections) {
        const int selStart = range.cursor.selectionStart() - start;
        const int selEnd = range.cursor.selectionEnd() - start;
        if (selStart < length && selEnd > 0 && selEnd > selStart) {
            selections.append({selStart, selEnd - selStart, range.format});
        } else if (!range.cursor.hasSelection() &&
                   range.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(range.cursor.position())) {
            const QTextLine line = layout->lineForTextPosition(range.cursor.position() - start);
            QTextLayout::FormatRange full{line.textStart(), line.textLength(), range.format};
            if (full.start + full.length == length - 1) ++full.length;
            selections.append(full);
        }
    }

    const QPen pen = painter->pen();
    painter->setPen(context.palette.color(QPalette::Text));
    layout->draw(painter, QPointF(), selections, clip);
    const int cursor = context.cursorPosition;
    if ((cursor >= start && cursor < start + length) ||
        (cursor < -1 && !layout->preeditAreaText().isEmpty())) {
        const int at = cursor < -1 ? layout->preeditAreaPosition() - (cursor + 2) : cursor - start;
        layout->drawCursor(painter, QPointF(), at, m_cursorWidth);
        m_caretLines = linesOf(block);
    }
    painter->setPen(pen);
}

// ---- Inline objects

void ManuscriptLayout::resizeInlineObject(QTextInlineObject item, int position,
                                          const QTextFormat& format) {
    QTextObjectInterface* handler = handlerForObject(format.objectType());
    if (!handler) return;
    const QSizeF size = handler->intrinsicSize(document(), position, format);
    item.setWidth(size.width());
    const QTextCharFormat character = format.toCharFormat();
    if (character.verticalAlignment() == QTextCharFormat::AlignMiddle) {
        const QFontMetrics metrics(character.font());
        const qreal halfX = metrics.xHeight() / 2.0;
        item.setAscent((size.height() + halfX) / 2.0);
        item.setDescent((size.height() - halfX) / 2.0);
    } else {
        item.setDescent(0);
        item.setAscent(size.height());
    }
}

}  // namespace pennory::platform::qt
