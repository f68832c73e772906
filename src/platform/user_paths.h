#pragma once
// Where the program keeps its per-user files on Linux.

#include <filesystem>

namespace pennory::platform {

// $XDG_CONFIG_HOME/pennory/print.txt when that variable holds an absolute path, else
// $HOME/.config/pennory/print.txt. Either argument may be null.
std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home);

}  // namespace pennory::platform

namespace pennory::platform {

// The phrase library: "date.txt" in workingDir when one is there, so that a library kept
// beside the writer's files goes on working; otherwise $XDG_DATA_HOME/pennory/date.txt when
// that variable holds an absolute path, else $HOME/.local/share/pennory/date.txt. The
// pointers may be null.
std::filesystem::path phraseFilePath(const std::filesystem::path& workingDir,
                                     const char* xdgDataHome, const char* home);

// The folder the installed program keeps its data in (the help page): relativeDataDir, as
// installed relative to the executable's folder (for instance "../share/pennory"), resolved
// against executableDir.
std::filesystem::path installedDataDir(const std::filesystem::path& executableDir,
                                       const std::filesystem::path& relativeDataDir);

}  // namespace pennory::platform
