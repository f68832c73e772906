#pragma once
// The open and save dialogs: Qt's own file dialog, set up as the common dialog asks.

#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace pennory::platform::qt {

// Qt name filters for the entries of a file dialog, in order. An entry shows its label and
// matches its patterns; a label that already ends in "(" + patterns + ")" is used as it is.
// "*.*" becomes "*", since on Linux a file need not have a dot in its name.
QStringList qtNameFilters(const std::vector<FileFilter>& entries);

enum class FileDialogMode { Open, Save };

// The chosen full path, or nullopt when cancelled. Open takes an existing file; Save takes
// any name, adds no extension and does not ask before replacing a file.
std::optional<std::u16string> showFileDialog(QWidget* owner, const FileDialogRequest& request,
                                             FileDialogMode mode);

}  // namespace pennory::platform::qt
