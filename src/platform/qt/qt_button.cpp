#include "platform/qt/qt_button.h"

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

QtButton::QtButton(QWidget* parent, Callback clicked) : QtControl(new QPushButton(parent)) {
    m_widget->setFont(captionFont());
    m_widget->setAutoDefault(false);
    if (clicked) QObject::connect(m_widget, &QPushButton::clicked, [clicked] { clicked(); });
}

void QtButton::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setText(toQtCaption(caption));
}

}  // namespace pennory::platform::qt
