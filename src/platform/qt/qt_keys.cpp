#include "platform/qt/qt_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_key_strings.h"

namespace pennory::platform::qt {

void QtKeys::sendKeys(std::u16string_view keys) {
    for (const KeyStroke& stroke : parseKeyString(toQString(keys))) {
        // Looked up per key: a key may move the focus.
        QWidget* target = QApplication::focusWidget();
        if (!target) return;
        QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &release);
    }
}

}  // namespace pennory::platform::qt
