#include "platform/qt/qt_steady_caret.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <algorithm>

namespace pennory::platform::qt {

namespace {

// How long typing must pause before the caret blinks again, when the desktop does not blink.
constexpr int kLeastPauseMs = 500;

}  // namespace

SteadyCaret::SteadyCaret(QObject* parent) : QObject(parent) {
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, [this] {
        // The flash time is the application's, so one holder keeps the desktop's.
        QGuiApplication::styleHints()->setCursorFlashTime(m_desktopFlashTime);
    });
}

void SteadyCaret::typed() {
    static auto* caret = new SteadyCaret(qApp);
    caret->hold();
}

void SteadyCaret::hold() {
    QStyleHints* hints = QGuiApplication::styleHints();
    // A blinking caret here is the desktop's rate, or one set since the caret last held.
    if (hints->cursorFlashTime() > 0) {
        m_desktopFlashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    }
    m_pause.start(std::max(m_desktopFlashTime, kLeastPauseMs));
}

}  // namespace pennory::platform::qt
