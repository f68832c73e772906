#include "platform/qt/qt_toolbar_button.h"

#include <QLayout>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

QtToolbarButton::QtToolbarButton(QWidget* band, std::u16string_view key, Callback clicked)
    : QtControl(new QToolButton(band)), m_key(key) {
    m_widget->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_widget->setAutoRaise(true);
    m_widget->setFont(captionFont());
    m_widget->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    if (clicked) QObject::connect(m_widget, &QToolButton::clicked, [clicked] { clicked(); });
    band->layout()->addWidget(m_widget);
}

void QtToolbarButton::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setText(toQtCaption(caption));
}

}  // namespace pennory::platform::qt
