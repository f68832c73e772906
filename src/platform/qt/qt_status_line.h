#pragma once
// The status line: a label in the main window's status bar, below the client area. The
// window's client rectangle (QtMainWindow::setClientRect) is measured without the bar, so
// the window is as much taller and the client area keeps its size.
//
// Screen readers read it as a static text whose name and value are the line itself (the
// live count); each change of the line is announced as a change of name and value.

#include <QLabel>

#include "platform/qt/qt_control.h"

class QMainWindow;

namespace pennory::platform::qt {

// Its own class, so that the accessibility factory knows it.
class StatusLineLabel : public QLabel {
    Q_OBJECT

public:
    StatusLineLabel();
    // Shows line and tells assistive tools when it differs from what was shown.
    void showLine(const QString& line);
};

class QtStatusLine : public QtControl<Label, StatusLineLabel> {
public:
    explicit QtStatusLine(QMainWindow* window);
    void setCaption(std::u16string_view caption) override;
};

}  // namespace pennory::platform::qt
