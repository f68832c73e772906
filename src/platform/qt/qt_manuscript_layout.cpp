#include "platform/qt/qt_manuscript_layout.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace pennory::platform::qt {

namespace {

// How far a line may reach past the text width before the page widens for it.
constexpr double kGlyphOverhang = 1.5;

// QTextDocumentLayout reckons in 1/64 pixels and takes reals into it by truncation; doing the
// same keeps sums of thousands of blocks where it puts them.
double fixed(double value) { return static_cast<int>(value * 64) / 64.0; }

constexpr double kDefaultDpi = 96;

// How far down a line's box starts, and how much it adds to the flow, for the block's line
// spacing; as QTextDocumentLayout has them.
struct LineHeights {
    double adjustment = 0;
    double height = 0;
    double bottom = 0;
};

LineHeights lineHeights(const QTextBlockFormat& format, const QTextLine& line, double scaling) {
    LineHeights out;
    const double raw = std::ceil(line.ascent() + line.descent() + line.leading());
    out.height = fixed(format.lineHeight(raw, scaling));
    out.bottom = fixed(format.lineHeight(line.height(), scaling));
    const int type = format.lineHeightType();
    if (type == QTextBlockFormat::FixedHeight) {
        out.adjustment =
            fixed(line.ascent() + std::max(line.leading(), qreal(0))) - fixed(out.height * 4 / 5);
    } else if (type == QTextBlockFormat::MinimumHeight) {
        out.adjustment = fixed(line.height()) - out.height;
    }
    return out;
}

}  // namespace

ManuscriptLayout::ManuscriptLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document) {
    measure();
    estimateAll();
}

// ---- Geometry and estimates

void ManuscriptLayout::measure() {
    const QTextDocument* doc = document();
    QPaintDevice* device = paintDevice();
    Geometry g;
    g.dpiScale = device ? device->logicalDpiY() / kDefaultDpi : 1.0;
    // Qt scales the document margin for the device as it does the paragraphs' lengths.
    g.margin = fixed(doc->rootFrame()->frameFormat().topMargin() * (device ? g.dpiScale : 1.0));
    const double width = std::max(0.0, doc->pageSize().width());
    g.left = g.margin;
    g.right = g.left + fixed(width) - 2 * g.margin;
    const QFontMetricsF metrics(doc->defaultFont(), device);
    g.estimatedLine = std::ceil(metrics.ascent() + metrics.descent() + metrics.leading());
    g.estimatedAdvance = std::max(1.0, metrics.horizontalAdvance(QChar(0x4E2D)));
    m_geometry = g;
}

double ManuscriptLayout::estimate(const QTextBlock& block) const {
    const double width = std::max(1.0, m_geometry.right - m_geometry.left);
    const double characters = std::max(0, block.length() - 1);
    const double lines = std::max(1.0, std::ceil(characters * m_geometry.estimatedAdvance / width));
    return lines * m_geometry.estimatedLine;
}

void ManuscriptLayout::estimateAll() {
    const QTextDocument* doc = document();
    std::vector<double> heights;
    heights.reserve(static_cast<std::size_t>(doc->blockCount()));
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        heights.push_back(estimate(block));
    }
    m_exact.assign(heights.size(), 0);
    m_estimated = static_cast<int>(heights.size());
    m_heights.assign(std::move(heights));
    m_contentsWidth = 0;
    m_idleNext = 0;
}

double ManuscriptLayout::gapBefore(const QTextBlock& block) const {
    const QTextBlock previous = block.previous();
    if (!previous.isValid()) return 0;
    double margin =
        std::max(block.blockFormat().topMargin(), previous.blockFormat().bottomMargin());
    if (margin > 0 && paintDevice()) margin *= m_geometry.dpiScale;
    return fixed(margin);
}

// ---- Laying blocks out

bool ManuscriptLayout::ensure(const QTextBlock& block, int index, bool deferHeight) const {
    const bool changed =
        !m_exact[static_cast<std::size_t>(index)] && layoutBlock(block, index, deferHeight);
    place(block, index);
    return changed;
}

void ManuscriptLayout::place(const QTextBlock& block, int index) const {
    block.layout()->setPosition(QPointF(m_geometry.left, blockTop(index) + gapBefore(block)));
}

bool ManuscriptLayout::layoutBlock(const QTextBlock& block, int index, bool deferHeight) const {
    QTextLayout* layout = block.layout();
    const QTextBlockFormat format = block.blockFormat();
    const QTextDocument* doc = document();
    const Qt::LayoutDirection direction = block.textDirection();

    QTextOption option = doc->defaultTextOption();
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    Qt::Alignment align = option.alignment();
    if (format.hasProperty(QTextFormat::BlockAlignment)) align = format.alignment();
    option.setAlignment(QStyle::visualAlignment(direction, align));
    if (format.nonBreakableLines() || doc->pageSize().width() < 0) {
        option.setWrapMode(QTextOption::ManualWrap);
    }
    layout->setTextOption(option);
    const bool wordOrAnywhere = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;

    double indent = 0;
    if (format.indent() != 0) {
        indent = fixed(format.indent() * m_geometry.dpiScale * doc->indentWidth());
    }
    const bool ltr = direction != Qt::RightToLeft;
    const double leftMargin = fixed(format.leftMargin()) + (ltr ? indent : 0);
    const double rightMargin = fixed(format.rightMargin()) + (ltr ? 0 : indent);
    const double lineLeft = m_geometry.left + leftMargin;
    const double lineRight = m_geometry.right - rightMargin;
    const double scaling = m_geometry.dpiScale;

    double y = 0;
    double bottom = 0;
    bool first = true;
    layout->beginLayout();
    for (;;) {
        QTextLine line = layout->createLine();
        if (!line.isValid()) break;
        line.setLeadingIncluded(true);
        double left = lineLeft;
        double right = lineRight;
        if (first) {
            const double textIndent = fixed(format.textIndent());
            if (ltr)
                left += textIndent;
            else
                right -= textIndent;
            first = false;
        }
        line.setLineWidth(right - left);
        if (fixed(line.naturalTextWidth()) > right - left) {
            // A word wider than the line: QTextDocumentLayout lays the line out again, once
            // breaking anywhere, and leaves the block's option at word wrap afterwards.
            line.setLineWidth(right - left);
            if (fixed(line.naturalTextWidth()) > right - left) {
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WrapAnywhere);
                    layout->setTextOption(option);
                }
                line.setLineWidth(std::max<double>(line.naturalTextWidth(), right - left));
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WordWrap);
                    layout->setTextOption(option);
                }
            }
        }
        const LineHeights heights = lineHeights(format, line, scaling);
        line.setPosition(QPointF(left - m_geometry.left, y - heights.adjustment));
        bottom = y + heights.bottom;
        y += heights.height;
        m_contentsWidth =
            std::max(m_contentsWidth, fixed(line.x() + line.naturalTextWidth()) + rightMargin);
    }
    layout->endLayout();
    y = std::max(y, bottom);

    const double slot = gapBefore(block) + y;
    m_exact[static_cast<std::size_t>(index)] = 1;
    --m_estimated;
    const double old = m_heights.at(index);
    if (old == slot) return false;
    if (deferHeight) {
        m_pending.emplace_back(index, slot);
        return true;
    }
    if (m_changedFrom < 0 || blockTop(index) < m_changedFrom) m_changedFrom = blockTop(index);
    m_heights.set(index, slot);
    return true;
}

void ManuscriptLayout::settle() {
    takePendingHeights();
    const QTextDocument* doc = document();
    int index = 0;
    for (QTextBlock block = doc->begin(); block.isValid() && m_estimated > 0;
         block = block.next(), ++index) {
        if (!m_exact[static_cast<std::size_t>(index)]) layoutBlock(block, index);
    }
    reportChanges(-1);
}

// ---- Queries

QSizeF ManuscriptLayout::documentSize() const {
    // A line may reach past the text width, as a wide figure does, and the page is then as wide
    // as it. A pixel or so is only a glyph's rounding at a line's end (a mark hanging there) and
    // must not bring up a horizontal scroll bar.
    const double text = m_geometry.right - m_geometry.left;
    const double width = m_contentsWidth > text + kGlyphOverhang ? m_contentsWidth : text;
    return QSizeF(width + 2 * m_geometry.margin, blockTop(m_heights.size()) + m_geometry.margin);
}

int ManuscriptLayout::pageCount() const {
    const QSizeF page = document()->pageSize();
    if (page.height() < 0) return 1;
    if (page.height() == 0) return 0;
    return static_cast<int>(std::ceil(documentSize().height() / page.height()));
}

QRectF ManuscriptLayout::frameBoundingRect(QTextFrame* frame) const {
    if (document()->pageSize().isNull() || frame != document()->rootFrame()) return QRectF();
    return QRectF(QPointF(0, 0), documentSize());
}

QRectF ManuscriptLayout::blockBoundingRect(const QTextBlock& block) const {
    if (document()->pageSize().isNull() || !block.isValid() || !block.isVisible()) return QRectF();
    if (ensure(block, block.blockNumber())) reportChanges(-1);
    const QTextLayout* layout = block.layout();
    QRectF rect = layout->boundingRect();
    rect.moveTopLeft(layout->position());
    return rect;
}

int ManuscriptLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
    const QTextDocument* doc = document();
    if (doc->pageSize().isNull() || m_heights.size() == 0) return -1;
    // The blocks around the point, in order, as QTextDocumentLayout goes through them: a
    // point between blocks goes to the start of the next one.
    const int at = m_heights.indexAt(point.y() - m_geometry.margin);
    const int firstIndex = std::max(0, at - 1);
    QTextBlock block = doc->findBlockByNumber(firstIndex);
    int position = block.position();
    bool inside = false;
    bool exact = false;
    const QTextLayout* hitLayout = nullptr;
    bool changed = false;
    for (int i = firstIndex; i <= at + 1 && block.isValid(); ++i, block = block.next()) {
        changed |= ensure(block, i);
        const QTextLayout* layout = block.layout();
        const QRectF rect = layout->boundingRect().translated(layout->position());
        if (point.y() < rect.top()) {
            position = std::min(position, block.position());
            continue;
        }
        if (point.y() > rect.bottom()) {
            position = std::max(position, block.position() + block.length());
            continue;
        }
        const QPointF local = point - layout->position();
        int offset = 0;
        hitLayout = layout;
        for (int l = 0; l < layout->lineCount(); ++l) {
            const QTextLine line = layout->lineAt(l);
            const QRectF lineRect = line.naturalTextRect();
            if (lineRect.top() > local.y()) {
                offset = std::min(offset, line.textStart());
            } else if (lineRect.bottom() <= local.y()) {
                offset = std::max(offset, line.textStart() + line.textLength());
            } else {
                exact = lineRect.left() <= local.x() && lineRect.right() >= local.x();
                offset = line.xToCursor(local.x(), accuracy == Qt::ExactHit
                                                       ? QTextLine::CursorOnCharacter
                                                       : QTextLine::CursorBetweenCharacters);
                break;
            }
        }
        position = block.position() + offset;
        inside = true;
        break;
    }
    if (changed) reportChanges(-1);
    if (accuracy == Qt::ExactHit && !(inside && exact)) return -1;
    int lastPosition = doc->rootFrame()->lastPosition();
    if (hitLayout && !hitLayout->preeditAreaText().isEmpty()) {
        lastPosition += static_cast<int>(hitLayout->preeditAreaText().size());
    }
    return std::clamp(position, 0, lastPosition);
}

}  // namespace pennory::platform::qt
