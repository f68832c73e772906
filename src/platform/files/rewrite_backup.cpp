#include "platform/files/rewrite_backup.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <random>
#include <string>

#include "platform/files/dated_copies.h"
#include "platform/files/file_errors.h"
#include "platform/files/file_io.h"
#include "platform/files/private_folders.h"
#include "platform/files/recovery_folder.h"
#include "platform/files/write_faults.h"

namespace pennory::files {

namespace {

constexpr std::string_view kPrefix = "rewrite-";
constexpr std::size_t kMaxRecordBytes = 16384;

std::mutex g_folderMutex;
std::filesystem::path g_folder;

std::u16string refusal(std::u16string_view reason) {
    return u"这个文件夹不能写入，只能直接改写文件，而改写前原来的文件必须先备份到程序的状态文件夹，"
           u"但备份无法保存：" +
           std::u16string(reason) + u"为免丢失原来的文件，没有保存。请另存到别的文件夹。";
}

int writeAllTo(int fd, std::string_view bytes, bool faultApplies) {
    const detail::WriteFault* fault = detail::activeWriteFault();
    if (faultApplies && fault && fault->step == WriteStep::Backup) return fault->error;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) != 0 ? errno : 0;
}

void syncFolder(const std::filesystem::path& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

std::string randomId() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string id;
    for (int i = 0; i < 12; ++i) id.push_back(kLetters[random() % (sizeof kLetters - 1)]);
    return id;
}

// The id of "rewrite-<id>.path", or "" for any other name.
std::string idOfRecord(const std::string& name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(".path")) return {};
    const std::string id = name.substr(kPrefix.size(), name.size() - kPrefix.size() - 5);
    const bool ok = !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
    return ok ? id : std::string();
}

// The path a record names, when it is one absolute path in sound UTF-8 and nothing else.
std::filesystem::path pathInRecord(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.back() != '\n') return {};
    const std::string text = bytes.substr(0, bytes.size() - 1);
    if (text.find('\0') != std::string::npos || text.find('\n') != std::string::npos ||
        text.find('\r') != std::string::npos) {
        return {};
    }
    std::filesystem::path path(text);
    if (!path.is_absolute() || !path.has_filename()) return {};
    try {
        (void)path.u16string();  // the program shows and handles paths as UTF-16
    } catch (...) {
        return {};
    }
    return path;
}

}  // namespace

void setRewriteBackupFolder(const std::filesystem::path& folder) {
    std::lock_guard lock(g_folderMutex);
    g_folder = folder;
}

std::filesystem::path rewriteBackupFolder() {
    std::lock_guard lock(g_folderMutex);
    return g_folder;
}

std::unique_ptr<RewriteBackup> RewriteBackup::make(const std::filesystem::path& folder,
                                                   const std::filesystem::path& original,
                                                   std::string_view oldBytes, FileResult& failure) {
    if (folder.empty()) {
        failure = FileResult::failure(refusal(u"不知道程序的状态文件夹在哪里。"));
        return nullptr;
    }
    std::vector<std::filesystem::path> created;
    if (const auto made = createPrivateFolders(folder, created); !made.ok) {
        failure = FileResult::failure(refusal(made.message));
        return nullptr;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        failure = FileResult::failure(refusal(messageForError(ENOTDIR, FileAction::Write)));
        return nullptr;
    }
    ::chmod(folder.c_str(), 0700);  // the state folder is the program's own

    auto fail = [&](int error, const std::filesystem::path& copy,
                    const std::filesystem::path& tmp) {
        ::unlink(tmp.c_str());
        ::unlink(copy.c_str());
        failure = FileResult::failure(refusal(messageForError(error, FileAction::Write)));
        return nullptr;
    };
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string id = randomId();
        const auto copy = folder / (std::string(kPrefix) + id + ".old");
        const auto record = folder / (std::string(kPrefix) + id + ".path");
        const auto temporary = folder / (std::string(kPrefix) + id + ".path.tmp");
        const int fd =
            ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return fail(errno, {}, {});
        ::flock(fd, LOCK_EX | LOCK_NB);  // nobody else knows the name yet
        if (const int error = writeAllTo(fd, oldBytes, true)) {
            ::close(fd);
            return fail(error, copy, {});
        }
        // The record comes last and whole, by rename, once the copy is on disk.
        const int rfd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (rfd < 0) {
            const int error = errno;
            ::close(fd);
            return fail(error, copy, {});
        }
        const std::string line = std::filesystem::absolute(original, ec).string() + "\n";
        int error = writeAllTo(rfd, line, false);
        if (::close(rfd) != 0 && !error) error = errno;
        if (!error && ::rename(temporary.c_str(), record.c_str()) != 0) error = errno;
        if (error) {
            ::close(fd);
            return fail(error, copy, temporary);
        }
        syncFolder(folder);
        return std::unique_ptr<RewriteBackup>(new RewriteBackup(copy, record, fd));
    }
    return fail(EEXIST, {}, {});
}

RewriteBackup::RewriteBackup(std::filesystem::path copy, std::filesystem::path record, int fd)
    : m_copy(std::move(copy)), m_record(std::move(record)), m_fd(fd) {}

RewriteBackup::~RewriteBackup() {
    if (m_fd >= 0) ::close(m_fd);
}

void RewriteBackup::remove() {
    // The record first: a copy without one is never offered.
    ::unlink(m_record.c_str());
    ::unlink(m_copy.c_str());
    syncFolder(m_copy.parent_path());
}

std::vector<LeftOriginal> leftOriginals(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, LeftOriginal>> found;
    std::error_code ec;
    if (folder.empty()) return {};
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string id = idOfRecord(entry.path().filename().string());
        if (id.empty() || !entry.is_regular_file(ec)) continue;
        const auto copy = folder / (std::string(kPrefix) + id + ".old");
        const int fd = ::open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);  // its program is still rewriting, or this is no copy
            continue;
        }
        std::string recordBytes;
        std::filesystem::path original;
        if (readFile(entry.path(), recordBytes, kMaxRecordBytes).ok)
            original = pathInRecord(recordBytes);
        found.push_back({std::filesystem::last_write_time(copy, ec),
                         {copy, entry.path(), original, std::make_shared<CopyLock>(fd)}});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<LeftOriginal> left;
    for (auto& [time, original] : found) left.push_back(std::move(original));
    return left;
}

FileResult restoreOriginal(const LeftOriginal& left) {
    if (left.original.empty()) return FileResult::failure(u"备份里记下的文件路径无效。");
    std::string bytes;
    if (auto read = readFile(left.copy, bytes); !read.ok) return read;
    auto written = writeFileAtomically(left.original, bytes);
    if (!written.ok) return written;
    ::unlink(left.record.c_str());
    ::unlink(left.copy.c_str());
    syncFolder(left.copy.parent_path());
    return written;
}

std::optional<std::filesystem::path> setAsideOriginal(const LeftOriginal& left) {
    struct stat info {};
    const std::time_t when =
        ::stat(left.copy.c_str(), &info) == 0 ? info.st_mtime : std::time(nullptr);
    const auto folder = left.copy.parent_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto target =
            folder / datedName(kDatedOriginalPrefix, when, attempt, kDatedOriginalExtension);
        // link() never replaces an existing file, unlike rename().
        if (::link(left.copy.c_str(), target.c_str()) == 0) {
            auto record = target;
            record.replace_extension(".path");
            if (::link(left.record.c_str(), record.c_str()) != 0) {
                ::unlink(target.c_str());
                return std::nullopt;
            }
            ::unlink(left.record.c_str());
            ::unlink(left.copy.c_str());
            syncFolder(folder);
            return target;
        }
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace pennory::files
