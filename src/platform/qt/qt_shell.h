#pragma once
// The shell's "open" on Linux: the desktop's default application for a link or a file.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

#include "platform/services.h"

namespace pennory::platform::qt {

// "open" of a URL with a scheme (mailto:...) or of an existing file relative to directory,
// by xdg-open started in directory, so that the page finds what lies beside it and the
// application runs in the program's folder. A missing file is ignored. Where xdg-open cannot
// be started, QDesktopServices opens the URL instead.
class QtShell : public ShellService {
public:
    // Starts program with arguments in workingDirectory without waiting for it; false when
    // it could not be started. QProcess::startDetached unless given.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                        const QString& workingDirectory)>;
    explicit QtShell(Launcher launcher = {});

    void shellExecute(std::u16string_view operation, std::u16string_view file,
                      std::u16string_view parameters, const std::filesystem::path& directory,
                      int showCommand) override;

private:
    Launcher m_launch;
};

}  // namespace pennory::platform::qt
