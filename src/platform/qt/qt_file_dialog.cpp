#include "platform/qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

QStringList qtNameFilters(const std::vector<FileFilter>& entries) {
    // Qt matches the patterns in a filter's last parentheses, separated by blanks, and with
    // QFileDialog::HideNameFilterDetails shows only what stands before them: the label.
    QStringList filters;
    for (const auto& entry : entries) {
        QStringList patterns;
        for (const QString& pattern : toQString(entry.pattern).split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty()) continue;
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        filters << toQString(entry.label) + QStringLiteral(" (") + patterns.join(u' ') +
                       QStringLiteral(")");
    }
    return filters;
}

std::optional<std::u16string> showFileDialog(QWidget* owner, const FileDialogRequest& request,
                                             FileDialogMode mode) {
    const bool save = mode == FileDialogMode::Save;
    QFileDialog dialog(owner, toQString(request.title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      (save ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options()));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString());  // the file is written under the name as given

    const QStringList filters = qtNameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex;
        dialog.selectNameFilter(filters.at(index >= 1 && index <= filters.size() ? index - 1 : 0));
    }
    if (!request.fileName.empty()) {
        const QFileInfo file(toQString(request.fileName));
        if (file.absoluteDir().exists()) dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return toU16(chosen.first());
}

}  // namespace pennory::platform::qt
