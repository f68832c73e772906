#include "platform/qt/qt_shell.h"

#include <QDesktopServices>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_paths.h"

namespace pennory::platform::qt {

QtShell::QtShell(Opener opener) : m_open(std::move(opener)) {
    if (!m_open) m_open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

void QtShell::shellExecute(std::u16string_view operation, std::u16string_view file,
                           std::u16string_view /*parameters*/,
                           const std::filesystem::path& directory, int /*showCommand*/) {
    if (!operation.empty() && operation != u"open") return;
    const QString name = toQString(file);
    if (name.isEmpty()) return;
    // A scheme of one letter would be a drive, not a link.
    const QUrl url(name, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        m_open(url);
        return;
    }
    const std::filesystem::path path = directory / toPath(name);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return;
    m_open(QUrl::fromLocalFile(fromPath(path)));
}

}  // namespace pennory::platform::qt
