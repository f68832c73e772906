#pragma once
// Per-user folders that nobody else may list: the password's and the phrase library's.

#include <filesystem>
#include <vector>

#include "platform/files/file_result.h"

namespace pennory::files {

// Creates every missing folder on the way to folder, outermost first, each owner-only (0700)
// from its creation on. Folders that already exist are never
// touched, so their permissions stay the owner's choice. The folders made are appended to
// created, also when a later step fails; on failure the message is a Chinese sentence.
FileResult createPrivateFolders(const std::filesystem::path& folder,
                                std::vector<std::filesystem::path>& created);

// Removes folders made by createPrivateFolders, innermost first, as far as they are empty.
void removeFolders(const std::vector<std::filesystem::path>& created);

}  // namespace pennory::files
