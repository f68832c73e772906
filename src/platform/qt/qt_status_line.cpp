#include "platform/qt/qt_status_line.h"

#include <QMainWindow>
#include <QStatusBar>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

QtStatusLine::QtStatusLine(QMainWindow* window) : QtControl(new QLabel) {
    m_widget->setFont(captionFont());
    QStatusBar* bar = window->statusBar();
    bar->setSizeGripEnabled(true);
    bar->addWidget(m_widget, 1);
    // The bar's height is settled before the window is first sized around the client area;
    // one that changed on showing (style, text) would take it from the client area.
    bar->ensurePolished();
    m_widget->ensurePolished();
    m_widget->setText(QStringLiteral("字数 0"));
    bar->setFixedHeight(bar->sizeHint().height());
}

void QtStatusLine::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setText(toQString(caption));
}

}  // namespace pennory::platform::qt
