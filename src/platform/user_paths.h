#pragma once
// Where the program keeps its per-user files on Linux.

#include <filesystem>

namespace pennory::platform {

// $XDG_CONFIG_HOME/pennory/print.txt when that variable holds an absolute path, else
// $HOME/.config/pennory/print.txt. Either argument may be null.
std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home);

// The folder of the recovery copies: $XDG_STATE_HOME/pennory when that variable holds an
// absolute path, else $HOME/.local/state/pennory. Either argument may be null.
std::filesystem::path recoveryFolderPath(const char* xdgStateHome, const char* home);

}  // namespace pennory::platform
