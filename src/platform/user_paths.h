#pragma once
// Where the program keeps its per-user files on Linux.

#include <filesystem>

namespace pennory::platform {

// The user's home folder: home when it is an absolute path, else the running user's entry in
// the user database; empty when neither names one. Never a shared folder such as /tmp.
std::filesystem::path homeFolder(const char* home);

// $XDG_CONFIG_HOME/pennory/print.txt when that variable holds an absolute path, else
// <home folder>/.config/pennory/print.txt; empty when no home folder is known. Either argument
// may be null.
std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home);

}  // namespace pennory::platform
