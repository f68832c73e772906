#pragma once
// The command line: pennory [FILE], --help, --version.

#include <QString>

namespace pennory::platform::qt {

// Reads the program's arguments before any window exists, so that --help and --version work
// without a desktop: each prints to standard output and ends the process with 0. An unknown
// option or a second file prints a message to standard error and ends it with 1. Otherwise
// returns FILE as an absolute path, or an empty text when none was given.
QString fileFromCommandLine(int argc, char* argv[]);

}  // namespace pennory::platform::qt
