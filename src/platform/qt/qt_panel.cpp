#include "platform/qt/qt_panel.h"

#include <QPalette>

namespace pennory::platform::qt {

QtPanel::QtPanel(QWidget* parent) : QtControl(new QWidget(parent)) {
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
}

}  // namespace pennory::platform::qt
