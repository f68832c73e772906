#include "platform/files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

#include "platform/files/file_errors.h"
#include "platform/files/rewrite_backup.h"
#include "platform/files/write_faults.h"

namespace pennory::files {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    void adopt(int fd) {
        reset();
        m_fd = fd;
    }
    // Closes now and reports close's own error (write-back errors can surface only here).
    int close() {
        if (m_fd < 0) return 0;
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }
    void reset() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

FileResult readFailure(int error) {
    return FileResult::failure(messageForError(error, FileAction::Read));
}
FileResult writeFailure(int error) {
    return FileResult::failure(messageForError(error, FileAction::Write));
}

// The injected fault for this step, if any; 0 when none applies.
int injected(WriteStep step) {
    const detail::WriteFault* fault = detail::activeWriteFault();
    return fault && fault->step == step ? fault->error : 0;
}

// Writes the pieces of one file to fd, in calls of at most a megabyte. The injected fault of
// step meets it once failAfterBytes bytes, counted over every piece, are written; error() is
// the first failure, after which nothing more is written.
class FileSink {
public:
    FileSink(int fd, WriteStep step) : m_fd(fd) {
        const detail::WriteFault* fault = detail::activeWriteFault();
        if (fault && fault->step == step) m_fault = fault;
    }
    bool put(std::string_view bytes) {
        if (m_error == 0) m_error = write(bytes);
        return m_error == 0;
    }
    int error() const { return m_error; }
    // The error of the whole file, once every piece is in: a fault also meets a file whose
    // bytes were fewer than failAfterBytes when it asks for none at all.
    int finish() {
        if (m_error == 0 && m_fault && m_written >= m_fault->failAfterBytes)
            m_error = m_fault->error;
        return m_error;
    }

private:
    int write(std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1 << 20);
            if (m_fault) {
                if (m_written >= m_fault->failAfterBytes) return m_fault->error;
                chunk = std::min(chunk, m_fault->failAfterBytes - m_written);
            }
            const ssize_t n = ::write(m_fd, bytes.data() + done, chunk);
            if (n < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += static_cast<std::size_t>(n);
            m_written += static_cast<std::size_t>(n);
        }
        if (m_fault && m_written >= m_fault->failAfterBytes) return m_fault->error;
        return 0;
    }

    int m_fd;
    const detail::WriteFault* m_fault = nullptr;
    std::size_t m_written = 0;
    int m_error = 0;
};

int writeAll(int fd, std::string_view bytes, WriteStep step) {
    FileSink sink(fd, step);
    sink.put(bytes);
    return sink.finish();
}

// The temporary file is removed however its writing ends, an exception of the producer's
// included, unless it was put in place of the target.
class TemporaryName {
public:
    ~TemporaryName() {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }
    void set(std::filesystem::path path) { m_path = std::move(path); }
    const std::filesystem::path& path() const { return m_path; }
    void keep() { m_path.clear(); }

private:
    std::filesystem::path m_path;
};

std::filesystem::path temporaryNameFor(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix = ".";
    for (int i = 0; i < 8; ++i) suffix.push_back(kLetters[random() % (sizeof kLetters - 1)]);
    std::filesystem::path name = target.parent_path();
    name /= "." + target.filename().string() + suffix + ".tmp";
    return name;
}

// faultStep: the injected fault this write can meet (the restore of the old content meets none).
int rewriteInPlace(const std::filesystem::path& target, std::string_view bytes, bool ownerOnly,
                   WriteStep faultStep) {
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno;
    if (ownerOnly) ::fchmod(fd.get(), 0600);  // best effort: the file may be another's
    if (const int error = writeAll(fd.get(), bytes, faultStep)) return error;
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) return errno;
    if (::fsync(fd.get()) != 0) return errno;
    return fd.close();
}

// The folder cannot be written but the file perhaps can (a shared read-only folder holding a
// writable manuscript): write the bytes, already fully encoded, over the file itself. The old
// bytes are first kept in the state folder (rewrite_backup.h), so that even a kill half-way
// leaves a whole version; a failure half-way puts the old content back at once.
FileResult writeInPlace(const std::filesystem::path& target, std::string_view bytes, bool ownerOnly,
                        int folderError) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(target.c_str(), W_OK) != 0) {
        return writeFailure(folderError);
    }
    std::string old;
    if (const auto read = readFile(target, old); !read.ok) return read;
    FileResult refused;
    auto backup = RewriteBackup::make(rewriteBackupFolder(), target, old, refused);
    if (!backup) return refused;
    const bool killed = injected(WriteStep::KilledInPlace) != 0;
    const int error = rewriteInPlace(target, bytes, ownerOnly,
                                     killed ? WriteStep::KilledInPlace : WriteStep::InPlace);
    if (killed) return writeFailure(error);  // what a kill leaves: the copy stays
    if (error == 0) {
        backup->remove();
        return FileResult::success();
    }
    if (rewriteInPlace(target, old, false, WriteStep::Create) == 0) backup->remove();
    return writeFailure(error);
}

}  // namespace

FileResult readFile(const std::filesystem::path& path, std::string& bytes,
                    std::uintmax_t maxBytes) {
    bytes.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return readFailure(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return readFailure(errno);
    if (S_ISDIR(info.st_mode)) return FileResult::failure(kMessageIsFolder);
    if (S_ISREG(info.st_mode)) {
        if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
            return FileResult::failure(kMessageTooLarge);
        }
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    // Read to the end rather than trusting the size: files can grow, and some report none.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            bytes.clear();
            return readFailure(error);
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            bytes.clear();
            return FileResult::failure(kMessageTooLarge);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return FileResult::success();
}

namespace {

// whole: the file's bytes when the caller has them; otherwise the rare in-place rewrite, which
// needs them twice (to write and, on failure, to know what it wrote), collects what produce
// gives into memory.
FileResult writeAtomically(const std::filesystem::path& path, const ByteProducer& produce,
                           const std::string_view* whole, bool ownerOnly) {
    std::error_code ec;
    std::filesystem::path target = path;
    // Saving through a symbolic link replaces the file it points to, not the link.
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) target = resolved;
    }

    mode_t mode = 0666;
    bool keepMode = false;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return FileResult::failure(kMessageIsFolder);
        mode = info.st_mode & 07777;
        keepMode = true;
    } else if (errno != ENOENT) {
        return writeFailure(errno);
    }
    if (ownerOnly) {
        mode = 0600;
        keepMode = true;
    }

    auto inPlace = [&](int folderError) {
        if (whole) return writeInPlace(target, *whole, ownerOnly, folderError);
        std::string collected;
        if (!produce(text::stringSink(collected))) return writeFailure(EIO);
        return writeInPlace(target, collected, ownerOnly, folderError);
    };
    TemporaryName temporary;
    FileDescriptor fd;
    if (const int error = injected(WriteStep::Create)) return writeFailure(error);
    if (injected(WriteStep::InPlace) || injected(WriteStep::Backup) ||
        injected(WriteStep::KilledInPlace)) {
        return inPlace(EACCES);
    }
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        const std::filesystem::path name = temporaryNameFor(target);
        // Owner-only from the start, so the text is never readable by others even briefly.
        fd.adopt(
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666));
        if (fd.get() >= 0) temporary.set(name);
        if (fd.get() < 0 && (errno == EACCES || errno == EPERM)) return inPlace(errno);
        if (fd.get() < 0 && errno != EEXIST) return writeFailure(errno);
    }
    if (fd.get() < 0) return writeFailure(EEXIST);

    // The temporary file goes with the descriptor (TemporaryName).
    auto fail = [&](int error) {
        fd.reset();
        return writeFailure(error);
    };
    if (keepMode && ::fchmod(fd.get(), mode) != 0) return fail(errno);
    FileSink sink(fd.get(), WriteStep::Write);
    const bool produced = produce([&sink](std::string_view piece) { return sink.put(piece); });
    if (const int error = sink.finish()) return fail(error);
    if (!produced) return fail(EIO);
    if (const int error = injected(WriteStep::Sync)) return fail(error);
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (const int error = fd.close()) return fail(error);
    if (const int error = injected(WriteStep::Rename)) return fail(error);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) return fail(errno);
    temporary.keep();

    // Make the rename itself durable; a failure here no longer affects the file's content.
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return FileResult::success();
}

}  // namespace

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                               bool ownerOnly) {
    return writeAtomically(
        path, [bytes](const text::ByteSink& sink) { return sink(bytes); }, &bytes, ownerOnly);
}

FileResult writeFileAtomically(const std::filesystem::path& path, const ByteProducer& produce,
                               bool ownerOnly) {
    return writeAtomically(path, produce, nullptr, ownerOnly);
}

}  // namespace pennory::files
