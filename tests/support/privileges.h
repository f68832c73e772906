// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests of unreadable files and read-only folders see no refusal while the process may read and
// write anything (root). They skip then, and their message starts with kNeedsUnprivilegedUser:
// scripts/run-gtest.sh, run as root, runs the tests that skipped so once more as the user
// nobody, and fails the run when one of them is skipped so there as well. Such a test works in
// its own temporary folder only: nobody may not reach the source and build folders.

namespace pennory::testing {

inline constexpr char kNeedsUnprivilegedUser[] = "needs an unprivileged user: ";

}  // namespace pennory::testing
