#pragma once
// Keystrokes sent to the focused widget.

#include <QPointer>
#include <QWidget>

#include "platform/services.h"

namespace pennory::platform::qt {

// "^{z}" and "{delete}" (qt_key_strings.h) as key presses and releases sent synchronously to
// the focused widget: QApplication::focusWidget() while a window of the program is active,
// otherwise the focus widget of `window` (the main window, whose menus and toolbar send the
// keys). Nothing without a focused widget.
//
// No window is active from the moment a modal dialog closes until the window system
// activates its owner again, which without a window manager never happens. The writer's own
// keys still reach the main window's focus widget then, and so do these.
class QtKeys : public KeyService {
public:
    explicit QtKeys(QWidget* window = nullptr) : m_window(window) {}
    void sendKeys(std::u16string_view keys) override;

private:
    QWidget* target() const;

    QPointer<QWidget> m_window;
};

}  // namespace pennory::platform::qt
