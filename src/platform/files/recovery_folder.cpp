#include "platform/files/recovery_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>

#include "platform/files/dated_copies.h"
#include "platform/files/file_io.h"

namespace pennory::files {

namespace {

constexpr std::string_view kPrefix = "recovery-";

// The "<pid>" or "<pid>.<n>" of "recovery-<id><extension>", or "" for any other name.
std::string idOf(const std::filesystem::path& file, std::string_view extension) {
    const std::string name = file.filename().string();
    if (!name.starts_with(kPrefix) || !name.ends_with(extension)) return {};
    const std::string id =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - extension.size());
    const auto dot = id.find('.');
    const auto digits = [](std::string_view s) {
        return !s.empty() &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const bool ok = dot == std::string::npos ? digits(id)
                                             : digits(std::string_view(id).substr(0, dot)) &&
                                                   digits(std::string_view(id).substr(dot + 1));
    return ok ? id : std::string();
}

std::filesystem::path named(const std::filesystem::path& folder, const std::string& id,
                            std::string_view extension) {
    return folder / (std::string(kPrefix) + id + std::string(extension));
}

// Opens (creating) and locks the lock file; -1 when it is held elsewhere or cannot be made.
// A lock file removed between opening and locking it is opened afresh, so that the lock
// held is always on the file that others find under the name.
int lockFile(const std::filesystem::path& path) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

bool makeOwnerOnlyFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) return false;
    ::chmod(folder.c_str(), 0700);
    return true;
}

}  // namespace

CopyLock::~CopyLock() {
    if (m_fd >= 0) ::close(m_fd);
}

std::unique_ptr<RecoverySlot> RecoverySlot::claim(const std::filesystem::path& folder) {
    if (folder.empty() || !makeOwnerOnlyFolder(folder)) return nullptr;
    // Another window of this process may hold the pid's own name, and a copy left by an
    // earlier program with the same pid is never written over.
    const std::string pid = std::to_string(::getpid());
    std::error_code ec;
    for (int n = 1; n <= 100; ++n) {
        const std::string id = n == 1 ? pid : pid + "." + std::to_string(n);
        const auto copy = named(folder, id, ".rtf");
        if (std::filesystem::exists(copy, ec)) continue;
        const auto lock = named(folder, id, ".lock");
        const int fd = lockFile(lock);
        if (fd < 0) continue;
        if (std::filesystem::exists(copy, ec)) {
            ::close(fd);
            continue;
        }
        return std::unique_ptr<RecoverySlot>(new RecoverySlot(copy, lock, fd));
    }
    return nullptr;
}

RecoverySlot::RecoverySlot(std::filesystem::path copy, std::filesystem::path lock, int fd)
    : m_copy(std::move(copy)), m_lock(std::move(lock)), m_fd(fd) {}

RecoverySlot::~RecoverySlot() {
    remove();
    ::unlink(m_lock.c_str());
    ::close(m_fd);
}

FileResult RecoverySlot::write(std::string_view bytes) const {
    return writeFileAtomically(m_copy, bytes, true);
}

FileResult RecoverySlot::write(const ByteProducer& produce) const {
    return writeFileAtomically(m_copy, produce, true);
}

void RecoverySlot::remove() const { ::unlink(m_copy.c_str()); }

std::vector<AbandonedCopy> abandonedCopies(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, AbandonedCopy>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (const std::string stale = idOf(entry.path(), ".lock"); !stale.empty()) {
            // A lock file without a copy, left by a program that ended abruptly while clean.
            if (!std::filesystem::exists(named(folder, stale, ".rtf"), ec)) {
                if (const int fd = lockFile(entry.path()); fd >= 0) {
                    ::unlink(entry.path().c_str());
                    ::close(fd);
                }
            }
            continue;
        }
        const std::string id = idOf(entry.path(), ".rtf");
        if (id.empty() || !entry.is_regular_file(ec)) continue;
        const auto lock = named(folder, id, ".lock");
        const int fd = lockFile(lock);
        if (fd < 0) continue;  // its program still runs, or another start is deciding on it
        found.push_back(
            {entry.last_write_time(ec), {entry.path(), lock, std::make_shared<CopyLock>(fd)}});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<AbandonedCopy> copies;
    for (auto& [time, copy] : found) copies.push_back(std::move(copy));
    return copies;
}

std::optional<std::filesystem::path> setAside(const AbandonedCopy& copy) {
    struct stat info {};
    const std::time_t when =
        ::stat(copy.copy.c_str(), &info) == 0 ? info.st_mtime : std::time(nullptr);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const auto target = copy.copy.parent_path() /
                            datedName(kDatedRecoveryPrefix, when, attempt, kDatedRecoveryExtension);
        // link() never replaces an existing file, unlike rename().
        if (::link(copy.copy.c_str(), target.c_str()) == 0) {
            discard(copy);
            return target;
        }
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

void discard(const AbandonedCopy& copy) {
    ::unlink(copy.copy.c_str());
    ::unlink(copy.lockFile.c_str());
}

}  // namespace pennory::files
