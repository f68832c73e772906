#include "platform/qt/qt_keys.h"

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_key_strings.h"

namespace pennory::platform::qt {

QWidget* QtKeys::target() const {
    if (QWidget* focused = QApplication::focusWidget()) return focused;
    // QApplication::focusWidget() names a widget only inside the active window; a key typed
    // into a window that is not active goes to that window's own focus widget.
    return m_window ? m_window->focusWidget() : nullptr;
}

void QtKeys::sendKeys(std::u16string_view keys) {
    for (const KeyStroke& stroke : parseKeyString(toQString(keys))) {
        // Looked up per key: a key may move the focus.
        QWidget* focused = target();
        if (!focused) return;
        QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(focused, &press);
        QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(focused, &release);
    }
}

}  // namespace pennory::platform::qt
