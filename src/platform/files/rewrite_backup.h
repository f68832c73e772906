#pragma once
// The old bytes of a file that is rewritten in place (its folder cannot be written, the file
// can), kept in the program's private state folder until the new bytes are on disk, so that a
// program killed in the middle of the rewrite still leaves one whole version.
//
// In the state folder a copy is two files: "rewrite-<id>.old", the old bytes (0600), and
// "rewrite-<id>.path", the rewritten file's full path in UTF-8 and a line feed, made last and
// by rename, so a record that exists belongs to a complete, synced copy. While its program
// works the copy is locked (flock), so that another start never offers it. Copies set aside
// are named "original-YYYYMMDD-HHMMSS.old" with a ".path" record beside (dated_copies.h).

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/files/file_result.h"

namespace pennory::files {

class CopyLock;

// The state folder the copies go to, for the whole process; the program sets it once at start.
// While it is empty every in-place rewrite is refused, since nothing could protect the file.
void setRewriteBackupFolder(const std::filesystem::path& folder);
std::filesystem::path rewriteBackupFolder();

// A kept copy of the old bytes, removed by remove(); destroyed without that (an interrupted
// rewrite) it stays in the folder for the next start.
class RewriteBackup {
public:
    // Makes the folder (owner-only) when missing, writes and syncs the copy, its record and the
    // folder. Null with a Chinese reason in failure when any of it fails; nothing is left then.
    static std::unique_ptr<RewriteBackup> make(const std::filesystem::path& folder,
                                               const std::filesystem::path& original,
                                               std::string_view oldBytes, FileResult& failure);
    ~RewriteBackup();
    RewriteBackup(const RewriteBackup&) = delete;
    RewriteBackup& operator=(const RewriteBackup&) = delete;

    // The new bytes are synced: the copy and its record go.
    void remove();

private:
    RewriteBackup(std::filesystem::path copy, std::filesystem::path record, int fd);

    std::filesystem::path m_copy;
    std::filesystem::path m_record;
    int m_fd;
};

// A copy whose rewrite never ended, locked for the caller while it decides.
struct LeftOriginal {
    std::filesystem::path copy;
    std::filesystem::path record;
    // The file it came from; empty when the record does not hold a sound absolute path in
    // UTF-8 (such a copy is only ever set aside).
    std::filesystem::path original;
    std::shared_ptr<CopyLock> lock;
};
std::vector<LeftOriginal> leftOriginals(const std::filesystem::path& folder);

// Writes the old bytes back at the original path, as every save is written (atomically, or in
// place with the same protection), then removes the copy and its record.
FileResult restoreOriginal(const LeftOriginal& left);
// Renames the copy and its record to a dated name. Returns the copy's new path, or nullopt.
std::optional<std::filesystem::path> setAsideOriginal(const LeftOriginal& left);

}  // namespace pennory::files
