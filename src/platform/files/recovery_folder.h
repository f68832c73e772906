#pragma once
// The folder of recovery copies: one copy per running window, "recovery-<id>.rtf" (id: the
// pid, or "<pid>.<n>" for a further window of the same process), beside a lock file
// "recovery-<id>.lock" that the window holds locked (flock) while it runs. A
// copy whose lock nobody holds was left by a program that did not end normally. Copies set
// aside are renamed "recovery-YYYYMMDD-HHMMSS.rtf" and are never offered again.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/files/file_io.h"
#include "platform/files/file_result.h"

namespace pennory::files {

// A held lock on one copy's lock file; released, without removing anything, when destroyed.
class CopyLock {
public:
    explicit CopyLock(int fd) : m_fd(fd) {}
    ~CopyLock();
    CopyLock(const CopyLock&) = delete;
    CopyLock& operator=(const CopyLock&) = delete;

private:
    int m_fd;
};

// This program's own copy. Creating it creates the folder (owner-only) and takes the lock;
// destroying it removes the copy and the lock file: that is a normal end.
class RecoverySlot {
public:
    // Null when the folder cannot be made or no lock can be taken. Never takes the name of a
    // copy that is still there.
    static std::unique_ptr<RecoverySlot> claim(const std::filesystem::path& folder);
    ~RecoverySlot();
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    const std::filesystem::path& copyPath() const { return m_copy; }
    // Atomically, owner-only.
    FileResult write(std::string_view bytes) const;
    // The same, the bytes put out in pieces as they are made.
    FileResult write(const ByteProducer& produce) const;
    // Removes the copy, if any; the lock stays held.
    void remove() const;

private:
    RecoverySlot(std::filesystem::path copy, std::filesystem::path lock, int fd);

    std::filesystem::path m_copy;
    std::filesystem::path m_lock;
    int m_fd;
};

// A copy left behind by a program that no longer runs, locked for the caller while it
// decides; the newest first.
struct AbandonedCopy {
    std::filesystem::path copy;
    std::filesystem::path lockFile;
    std::shared_ptr<CopyLock> lock;
};
std::vector<AbandonedCopy> abandonedCopies(const std::filesystem::path& folder);

// Renames the copy to a dated name in its folder (from its modification time, made unique)
// and removes its lock file. Returns the new path, or nullopt when the rename failed.
std::optional<std::filesystem::path> setAside(const AbandonedCopy& copy);
// Removes the copy and its lock file.
void discard(const AbandonedCopy& copy);

}  // namespace pennory::files
