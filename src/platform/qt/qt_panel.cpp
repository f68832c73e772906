#include "platform/qt/qt_panel.h"

#include <QDropEvent>

#include "platform/qt/qt_file_drops.h"

namespace pennory::platform::qt {

DropPanel::DropPanel(QWidget* parent) : QWidget(parent) {
    // The theme's page colour: white in a light theme, as the panel was designed.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setAcceptDrops(true);
}

void DropPanel::setFileDropped(FileDropped dropped) { m_dropped = std::move(dropped); }

void DropPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (m_dropped && droppedFile(event->mimeData())) event->acceptProposedAction();
}

void DropPanel::dragMoveEvent(QDragMoveEvent* event) {
    if (m_dropped && droppedFile(event->mimeData())) event->acceptProposedAction();
}

void DropPanel::dropEvent(QDropEvent* event) {
    const auto file = droppedFile(event->mimeData());
    if (!m_dropped || !file) return;
    event->acceptProposedAction();
    m_dropped(toU16(*file));
}

QtPanel::QtPanel(QWidget* parent) : QtControl(new DropPanel(parent)) {}

void QtPanel::onFileDropped(FileDropped dropped) { m_widget->setFileDropped(std::move(dropped)); }

}  // namespace pennory::platform::qt
