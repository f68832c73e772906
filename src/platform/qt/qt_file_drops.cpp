#include "platform/qt/qt_file_drops.h"

#include <QMimeData>
#include <QPalette>
#include <QUrl>
#include <QWidget>

namespace pennory::platform::qt {

std::optional<QString> droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return std::nullopt;
}

void usePaperColours(QWidget* widget) {
    QPalette colours = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
        colours.setColor(group, QPalette::PlaceholderText, Qt::darkGray);
    }
    widget->setPalette(colours);
}

}  // namespace pennory::platform::qt
