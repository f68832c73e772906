#include "platform/qt/qt_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

ClickableLabel::ClickableLabel(QWidget* parent, Callback clicked)
    : QLabel(parent), m_clicked(std::move(clicked)) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_clicked) {
        m_clicked();
    }
}

void ClickableLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());

    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("中"));
    const qreal pitch = QFontInfo(font()).pixelSize();
    // Centre an ideograph's ink in each em-high line.
    const qreal firstTop = (pitch - ink.height()) / 2 - (metrics.ascent() + ink.top());

    // A label one line high shows its caption on that line; a taller one (the long term of
    // the word bank) wraps it anywhere, as a CJK line may break between any two characters.
    // Glyphs may reach a pixel beyond their advance; that alone does not break a line.
    const bool wraps = height() >= 2 * pitch;
    QTextLayout layout(text(), font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(wraps ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (qreal top = firstTop;; top += pitch) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width() + 1);
        line.setPosition(QPointF(0, top));
    }
    layout.endLayout();
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
