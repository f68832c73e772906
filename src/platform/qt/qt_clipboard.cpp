#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
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

bool QtClipboard::setTextWithStyled(std::u16string_view text, std::string_view styled) {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    data->setText(toQString(text));
    data->setData(QString::fromLatin1(kStyledMimeType),
                  QByteArray(styled.data(), static_cast<qsizetype>(styled.size())));
    clipboard->setMimeData(data);
    return true;
}

std::optional<std::string> QtClipboard::styledBytes() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    const QString type = QString::fromLatin1(kStyledMimeType);
    if (!data || !data->hasFormat(type)) return std::nullopt;
    return data->data(type).toStdString();
}

std::optional<std::u16string> QtClipboard::text() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText()) return std::u16string();
    return toU16(data->text());
}

std::optional<std::string> QtClipboard::imageBytes() {
    QClipboard* clipboard = systemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) return std::nullopt;
    for (const char* type : {"image/png", "image/jpeg"}) {
        const QByteArray bytes = data->data(QString::fromLatin1(type));
        if (!bytes.isEmpty()) return bytes.toStdString();
    }
    if (!data->hasImage()) return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return png.toStdString();
}

}  // namespace pennory::platform::qt
