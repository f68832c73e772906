#include "platform/qt/qt_tab_strip.h"

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

QtTabStrip::QtTabStrip(QWidget* parent) : QtControl(new QTabWidget(parent)) {
    m_widget->setFont(captionFont());
    // The strip covers what lies behind it over its whole area, beside the tab too.
    m_widget->setAutoFillBackground(true);
    m_widget->addTab(new QWidget, QString());
}

void QtTabStrip::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setTabText(0, toQtCaption(caption));
}

}  // namespace pennory::platform::qt
