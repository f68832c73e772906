#pragma once
// Where the program keeps its per-user files on Linux.

#include <filesystem>

namespace pennory::files {

// The user's home folder: home when it is an absolute path, else the running user's entry in
// the user database; empty when neither names one. Never a shared folder such as /tmp.
std::filesystem::path homeFolder(const char* home);

// $XDG_CONFIG_HOME/pennory/print.txt when that variable holds an absolute path, else
// <home folder>/.config/pennory/print.txt; empty when no home folder is known. Either argument
// may be null.
std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home);

// The phrase library: "date.txt" in workingDir when one is there, so that a library kept
// beside the writer's files goes on working; otherwise $XDG_DATA_HOME/pennory/date.txt when
// that variable holds an absolute path, else <home folder>/.local/share/pennory/date.txt;
// empty when no home folder is known. The pointers may be null.
std::filesystem::path phraseFilePath(const std::filesystem::path& workingDir,
                                     const char* xdgDataHome, const char* home);

// The folder the installed program keeps its data in (the help page): relativeDataDir, as
// installed relative to the executable's folder (for instance "../share/pennory"), resolved
// against executableDir.
std::filesystem::path installedDataDir(const std::filesystem::path& executableDir,
                                       const std::filesystem::path& relativeDataDir);

// The folder of the recovery copies: $XDG_STATE_HOME/pennory when that variable holds an
// absolute path, else <home folder>/.local/state/pennory; empty when no home folder is known. Either
// argument may be null.
std::filesystem::path recoveryFolderPath(const char* xdgStateHome, const char* home);

}  // namespace pennory::files
