#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

namespace {

QClipboard* systemClipboard() { return qApp ? QGuiApplication::clipboard() : nullptr; }

}  // namespace

bool QtClipboard::clear() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    clipboard->clear();
    return true;
}

bool QtClipboard::setText(std::u16string_view text) {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    clipboard->setText(toQString(text));
    return true;
}

std::optional<std::u16string> QtClipboard::text() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText()) return std::u16string();
    return toU16(data->text());
}

}  // namespace pennory::platform::qt
