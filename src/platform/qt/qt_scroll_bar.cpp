#include "platform/qt/qt_scroll_bar.h"

#include <QSignalBlocker>
#include <algorithm>

namespace pennory::platform::qt {

QtScrollBar::QtScrollBar(QWidget* parent, bool horizontal, Callback changed, Callback scrolled)
    : QtControl(new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, parent)) {
    m_widget->setRange(0, m_max);
    // Without tracking the value changes once, when the thumb is let go; the moves between
    // are reported as scrolling.
    m_widget->setTracking(false);
    if (changed) QObject::connect(m_widget, &QScrollBar::valueChanged, [changed] { changed(); });
    if (scrolled) QObject::connect(m_widget, &QScrollBar::sliderMoved, [scrolled] { scrolled(); });
}

int QtScrollBar::value() const { return m_widget->sliderPosition(); }

void QtScrollBar::setValue(int value) {
    const QSignalBlocker quiet(m_widget);
    m_widget->setValue(value);
    m_widget->setSliderPosition(m_widget->value());
}

int QtScrollBar::max() const { return m_max; }

void QtScrollBar::setMax(int max) {
    m_max = max;
    const QSignalBlocker quiet(m_widget);
    m_widget->setRange(0, std::max(0, max));
}

void QtScrollBar::setSteps(int smallStep, int largeStep) {
    m_widget->setSingleStep(smallStep);
    m_widget->setPageStep(largeStep);
}

}  // namespace pennory::platform::qt
