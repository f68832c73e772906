#pragma once
// A container (the side panel) in the theme's page colour, white in a light theme; it clips
// its children. A file
// dropped on it, or on a child that takes no drops, is reported by its path.

#include <QWidget>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class DropPanel : public QWidget {
public:
    explicit DropPanel(QWidget* parent);
    void setFileDropped(FileDropped dropped);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FileDropped m_dropped;
};

class QtPanel : public QtControl<Panel, DropPanel> {
public:
    explicit QtPanel(QWidget* parent);
    void onFileDropped(FileDropped dropped) override;
};

}  // namespace pennory::platform::qt
