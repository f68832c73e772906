#include "platform/qt/qt_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

ClickableLabel::ClickableLabel(QWidget* parent, Callback clicked)
    : QLabel(parent), m_clicked(std::move(clicked)) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    // The panel's colours: the theme's text on its page colour (white in a light theme).
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_clicked) {
        m_clicked();
    }
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

}  // namespace

void ClickableLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(font());

    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("中"));
    const qreal pitch = QFontInfo(font()).pixelSize();
    // Centre an ideograph's ink in each em-high line.
    const qreal firstTop = (pitch - ink.height()) / 2 - (metrics.ascent() + ink.top());

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
    painter.scale(squeeze, 1.0);
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
