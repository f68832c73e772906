#pragma once
// The shell's "open" on Linux: the desktop's default application for a link or a file.

#include <QUrl>
#include <functional>

#include "platform/services.h"

namespace pennory::platform::qt {

// "open" of a URL with a scheme (mailto:...) or of an existing file relative to directory,
// through QDesktopServices. A missing file is ignored.
class QtShell : public ShellService {
public:
    // How a URL is handed to the desktop; QDesktopServices::openUrl unless given.
    using Opener = std::function<void(const QUrl&)>;
    explicit QtShell(Opener opener = {});

    void shellExecute(std::u16string_view operation, std::u16string_view file,
                      std::u16string_view parameters, const std::filesystem::path& directory,
                      int showCommand) override;

private:
    Opener m_open;
};

}  // namespace pennory::platform::qt
