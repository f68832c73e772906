#pragma once
// Copies set aside in the private state folder under a dated name, "<prefix>YYYYMMDD-HHMMSS"
// (local time), with "-2", "-3", … when a second is taken, and an extension of their kind.
// Old ones are removed at start so that the folder does not grow without end.

#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pennory::files {

// The kinds of dated copies: recovery copies of unsaved work, and the old bytes of a file whose
// in-place rewrite was interrupted (the latter with a ".path" record of the same stem).
inline constexpr std::string_view kDatedRecoveryPrefix = "recovery-";
inline constexpr std::string_view kDatedRecoveryExtension = ".rtf";
inline constexpr std::string_view kDatedOriginalPrefix = "original-";
inline constexpr std::string_view kDatedOriginalExtension = ".old";

inline constexpr std::chrono::hours kDatedCopyLifetime{24 * 30};
inline constexpr std::size_t kDatedCopiesKept = 5;

// The attempt-th candidate name (attempt 0 has no counter).
std::string datedName(std::string_view prefix, std::time_t when, int attempt,
                      std::string_view extension);

// The time in a dated name of this kind; nullopt for any other name.
std::optional<std::time_t> dateOfDatedName(std::string_view name, std::string_view prefix,
                                           std::string_view extension);

// Of each kind, removes the dated copies (and an original's record) dated more than
// kDatedCopyLifetime before now, keeping the kDatedCopiesKept newest by their date whatever
// their age. Files whose names do not follow the dated pattern are never touched.
void removeOutdatedCopies(const std::filesystem::path& folder, std::time_t now);

}  // namespace pennory::files
