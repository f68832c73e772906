#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QProcess>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_paths.h"

namespace pennory::platform::qt {

QtShell::QtShell(Launcher launcher) : m_launch(std::move(launcher)) {
    if (!m_launch) {
        m_launch = [](const QString& program, const QStringList& arguments,
                      const QString& workingDirectory) {
            return QProcess::startDetached(program, arguments, workingDirectory);
        };
    }
}

void QtShell::shellExecute(std::u16string_view operation, std::u16string_view file,
                           std::u16string_view /*parameters*/,
                           const std::filesystem::path& directory, int /*showCommand*/) {
    if (!operation.empty() && operation != u"open") return;
    const QString name = toQString(file);
    if (name.isEmpty()) return;
    QUrl url(name, QUrl::StrictMode);
    // A scheme of one letter would be a drive, not a link.
    if (!url.isValid() || url.scheme().size() <= 1) {
        const std::filesystem::path path = directory / toPath(name);
        std::error_code error;
        if (!std::filesystem::exists(path, error)) return;
        url = QUrl::fromLocalFile(fromPath(path));
    }
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (!m_launch(QStringLiteral("xdg-open"), {target}, fromPath(directory))) {
        QDesktopServices::openUrl(url);
    }
}

}  // namespace pennory::platform::qt
