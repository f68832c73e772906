#include "platform/qt/qt_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

ClickableLabel::ClickableLabel(QWidget* parent, Callback clicked)
    : QLabel(parent), m_click(std::move(clicked)) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    // The panel's colours: the theme's text on its page colour (white in a light theme).
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    m_click.doubleClicked(*event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    m_click.released(*event, rect().contains(event->position().toPoint()));
}

namespace {

// Lays the text out in lines of the given width, one em apart from firstTop; returns the
// number of lines.
int layOut(QTextLayout& layout, qreal lineWidth, qreal firstTop, qreal pitch) {
    layout.beginLayout();
    int lines = 0;
    for (qreal top = firstTop;; top += pitch, ++lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        // Glyphs may reach a pixel beyond their advance; that alone does not break a line.
        line.setLineWidth(lineWidth + 1);
        line.setPosition(QPointF(0, top));
    }
    layout.endLayout();
    return lines;
}

// The pixel rows [top, bottom) that the laid-out text visibly covers (an eighth of a pixel or
// more, black on the label's white), found by drawing it: the font's metrics give whole-pixel boxes
// that miss or add a row, and the faintest edge of antialiasing would count rows nobody sees.
std::pair<int, int> inkRows(const QTextLayout& layout, int height) {
    const int margin = height;
    const QRectF bounds = layout.boundingRect();
    QImage image(std::max(1, static_cast<int>(std::ceil(bounds.right()))), height + 2 * margin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        layout.draw(&painter, QPointF(0, margin));
    }
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(row, row + image.width(), [](QRgb pixel) { return qGray(pixel) < 224; })) {
            if (top < 0) top = y;
            bottom = y + 1;
        }
    }
    if (top < 0) return {0, 0};
    return {top - margin, bottom - margin};
}

// Moves ink covering the rows [top, bottom) into [0, height): up when glyphs reach below the
// line (the hook of 电, a descender), down when they reach above it. When the ink is taller
// than the label, its top stays.
int inkShift(int top, int bottom, int height) {
    int shift = 0;
    if (bottom > height) shift = height - bottom;
    if (top + shift < 0) shift = -top;
    return shift;
}

}  // namespace

void ClickableLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(font());

    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("中"));
    const qreal pitch = QFontInfo(font()).pixelSize();
    // Centre an ideograph's ink in each em-high line, on a whole-pixel baseline.
    const qreal baseline = std::round((pitch - ink.height()) / 2 - ink.top());
    const qreal firstTop = baseline - metrics.ascent();

    // The label's area is measured for SimSun, whose Latin letters are half an em wide; the
    // faces that stand in for it have wider ones. So the text is narrowed, a little, until
    // it fits the lines the area has.
    const int room = std::max(1, static_cast<int>(height() / pitch));
    QTextLayout layout(text(), font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(room > 1 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    qreal squeeze = 1.0;
    if (room == 1) {
        const qreal natural = metrics.horizontalAdvance(text());
        if (natural > width()) squeeze = std::max(0.8, width() / natural);
        layOut(layout, width() / squeeze, firstTop, pitch);
    } else {
        while (layOut(layout, width() / squeeze, firstTop, pitch) > room && squeeze > 0.8) {
            squeeze -= 0.02;
        }
    }
    // The label is one em high a line; every row of every glyph must still be in it. Glyphs
    // that reach further than the em (Latin descenders under an ideograph's line) are
    // flattened, a little, rather than cut.
    const auto [top, bottom] = inkRows(layout, height());
    if (bottom - top > height()) {
        const qreal flatten = static_cast<qreal>(height()) / (bottom - top);
        painter.translate(0, -top * flatten);
        painter.scale(squeeze, flatten);
    } else {
        painter.translate(0, inkShift(top, bottom, height()));
        painter.scale(squeeze, 1.0);
    }
    layout.draw(&painter, QPointF(0, 0));
}

QtLabel::QtLabel(QWidget* parent, Callback clicked)
    : QtControl(new ClickableLabel(parent, std::move(clicked))) {
    m_widget->setFont(captionFont());
}

void QtLabel::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setText(toQString(caption));
}

}  // namespace pennory::platform::qt
