#pragma once
// The status line: a label in the main window's status bar, below the client area. The
// window's client rectangle (QtMainWindow::setClientRect) is measured without the bar, so
// the window is as much taller and the client area keeps its size.

#include <QLabel>

#include "platform/qt/qt_control.h"

class QMainWindow;

namespace pennory::platform::qt {

class QtStatusLine : public QtControl<Label, QLabel> {
public:
    explicit QtStatusLine(QMainWindow* window);
    void setCaption(std::u16string_view caption) override;
};

}  // namespace pennory::platform::qt
