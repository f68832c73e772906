#pragma once
// The running program: ending it, and its folders.

#include "platform/services.h"

namespace pennory::platform::qt {

// end() marks the program as ended and leaves the event loop once the running handler has
// returned, without asking the windows to close: a window that closes all the same must
// check ended() and then skip its close prompt.
class QtProgram : public ProgramService {
public:
    void end() override;
    bool ended() const override { return m_ended; }
    std::filesystem::path executableDir() const override;
    std::filesystem::path dataDir() const override;
    // From $XDG_CONFIG_HOME or $HOME (platform/files/user_paths.h).
    std::filesystem::path passwordFile() const override;
    // From the working folder, $XDG_DATA_HOME or $HOME (platform/files/user_paths.h).
    std::filesystem::path phraseFile() const override;

private:
    bool m_ended = false;
};

}  // namespace pennory::platform::qt
