#include "platform/files/file_window.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/file_errors.h"

namespace pennory::files {
namespace {

// Giving pages back is a system call: it waits until this much can go at once.
constexpr std::size_t kReleaseStepBytes = std::size_t(1) << 20;

std::size_t pageSize() {
    static const std::size_t size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

}  // namespace

std::unique_ptr<FileWindow> FileWindow::open(const std::filesystem::path& path,
                                             std::size_t chunkBytes, std::uintmax_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    // Anonymous memory, never the file: pages not yet filled cost nothing, and a file cut
    // short by another program cannot fault the reader.
    void* base = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileWindow>(
        new FileWindow(fd, static_cast<char*>(base), size, std::max<std::size_t>(chunkBytes, 1)));
}

FileWindow::FileWindow(int fd, char* base, std::size_t size, std::size_t chunkBytes)
    : m_fd(fd), m_base(base), m_size(size), m_chunkBytes(chunkBytes) {}

FileWindow::~FileWindow() {
    ::munmap(m_base, m_size);
    ::close(m_fd);
}

bool FileWindow::extend() {
    if (!m_result.ok || m_filled >= m_size) return false;
    const std::size_t want = std::min(m_chunkBytes, m_size - m_filled);
    for (;;) {
        const ssize_t n = ::pread(m_fd, m_base + m_filled, want, static_cast<off_t>(m_filled));
        if (n > 0) {
            m_filled += static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        m_result = FileResult::failure(n < 0 ? messageForError(errno, FileAction::Read)
                                             : std::u16string(kMessageChangedWhileRead));
        return false;
    }
}

void FileWindow::release(std::size_t offset) {
    const std::size_t upTo = std::min(offset, m_filled) / pageSize() * pageSize();
    if (upTo < m_released + kReleaseStepBytes) return;
    // Private anonymous pages given back read as zeros: never a fault.
    ::madvise(m_base + m_released, upTo - m_released, MADV_DONTNEED);
    m_released = upTo;
}

}  // namespace pennory::files
