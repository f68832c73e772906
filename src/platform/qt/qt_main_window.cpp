#include "platform/qt/qt_main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QSessionManager>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_toolbar_rows.h"

namespace pennory::platform::qt {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent), m_band(new QWidget(this)) {
    m_band->setAccessibleName(QStringLiteral("工具栏"));
    m_band->setObjectName(QStringLiteral("工具栏"));
    auto* rows = new ToolbarRows(m_band);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(0);
    m_band->setGeometry(0, 0, width(), twipsToPixels(kToolbarBandTwips));
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The band is docked along the top edge.
    m_band->setGeometry(0, 0, width(), twipsToPixels(kToolbarBandTwips));
    if (m_resized) m_resized();
}

QtMainWindow::QtMainWindow() : m_client(new ClientArea(this)) {
    setCentralWidget(m_client);
    m_client->setAccessibleName(QStringLiteral("窗口工作区"));
    m_client->setObjectName(QStringLiteral("窗口工作区"));
    m_client->onResize([this] { notifyResized(); });
    menuBar()->setAccessibleName(QStringLiteral("菜单栏"));
    menuBar()->setObjectName(QStringLiteral("菜单栏"));
    setWindowIcon(pennoryIcon());
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session manager waits for the answer, so it must be given inside the signal.
        connect(
            application, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { commitSession(manager); }, Qt::DirectConnection);
    }
}

QRect QtMainWindow::clientRect() const {
    return QRect(mapToGlobal(m_client->geometry().topLeft()), m_client->size());
}

void QtMainWindow::setClientRect(const QRect& rect) {
    // Before the window is first shown its layout has not run yet.
    if (layout()) layout()->activate();
    const QPoint offset = m_client->geometry().topLeft();
    const QSize around = size() - m_client->size();
    setGeometry(QRect(rect.topLeft() - offset, rect.size() + around));
}

void QtMainWindow::notifyResized() {
    if (m_events.resized) m_events.resized();
}

void QtMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimizing and restoring keep the client area's size; the handler is told all the same.
    if (event->type() == QEvent::WindowStateChange) notifyResized();
}

bool QtMainWindow::closeCancelled() {
    if (m_closeApproved || (m_ended && m_ended())) return false;
    return m_events.closeRequested && m_events.closeRequested();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (closeCancelled()) {
        event->ignore();
    } else {
        event->accept();
    }
}

void QtMainWindow::commitSession(QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;  // nobody to ask
    const bool cancelled = closeCancelled();
    manager.release();
    if (cancelled) {
        manager.cancel();
        return;
    }
    // The writer has answered; the window closes without asking again.
    m_closeApproved = true;
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

QtWindow::QtWindow() : QtControl(new QtMainWindow) {}

void QtWindow::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->setWindowTitle(toQString(caption));
    // A screen reader names the window by its title.
    m_widget->setAccessibleName(toQString(caption));
}

Geometry QtWindow::geometry() const { return toTwips(m_widget->clientRect()); }

void QtWindow::setGeometry(const Geometry& geometry) {
    m_widget->setClientRect(toPixels(geometry));
}

void QtWindow::setFocus() { m_widget->activateWindow(); }

bool QtWindow::hasFocus() const { return m_widget->isActiveWindow(); }

int QtWindow::clientWidth() const { return pixelsToTwips(m_widget->clientArea()->width()); }

int QtWindow::clientHeight() const { return pixelsToTwips(m_widget->clientArea()->height()); }

bool QtWindow::minimized() const { return m_widget->isMinimized(); }

}  // namespace pennory::platform::qt
