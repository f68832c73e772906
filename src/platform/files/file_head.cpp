#include "platform/files/file_head.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/file_errors.h"

namespace pennory::files {
namespace {

FileResult notRegular(mode_t mode) {
    return FileResult::failure(S_ISDIR(mode) ? kMessageIsFolder : kMessageNotRegularFile);
}

}  // namespace

FileHead readFileHead(const std::filesystem::path& path, std::size_t maxBytes) {
    FileHead head;
    struct stat info {};
    // Opening a device can have effects of its own, so its kind is known before opening.
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        head.missing = error == ENOENT || error == ENOTDIR;
        head.result = FileResult::failure(messageForError(error, FileAction::Read));
        return head;
    }
    if (!S_ISREG(info.st_mode)) {
        head.result = notRegular(info.st_mode);
        return head;
    }
    // Non-blocking: what was a file a moment ago may be a FIFO with no writer now.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        head.result = FileResult::failure(messageForError(errno, FileAction::Read));
        return head;
    }
    if (::fstat(fd, &info) != 0) {
        head.result = FileResult::failure(messageForError(errno, FileAction::Read));
        ::close(fd);
        return head;
    }
    if (!S_ISREG(info.st_mode)) {
        head.result = notRegular(info.st_mode);
        ::close(fd);
        return head;
    }
    // One byte beyond the bound tells whether the file goes on.
    head.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < head.bytes.size()) {
        const ssize_t n = ::read(fd, head.bytes.data() + got, head.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            head.result = FileResult::failure(messageForError(errno, FileAction::Read));
            head.bytes.clear();
            ::close(fd);
            return head;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    head.complete = got <= maxBytes;
    head.bytes.resize(std::min(got, maxBytes));
    return head;
}

}  // namespace pennory::files
