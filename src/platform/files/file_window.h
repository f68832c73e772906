#pragma once
// A file read through a window: room for the whole file is reserved at once (memory no page of
// which is used before it is filled), filled a chunk at a time as the reader comes near the
// filled end, and given back behind what the reader still needs. The file itself is never
// mapped, so another program truncating it while it is read cannot bring the program down:
// the read stops and says so.

#include <cstddef>
#include <filesystem>
#include <memory>

#include "platform/files/file_result.h"
#include "platform/text/byte_window.h"

namespace pennory::files {

class FileWindow final : public text::ByteWindow {
public:
    static constexpr std::size_t kDefaultChunkBytes = std::size_t(4) << 20;

    // The window over the regular file at path, nothing read yet; nullptr for anything else
    // (no such file, no permission, a folder, an empty file, a file larger than maxBytes, no
    // room to reserve), which the caller reads whole to learn why.
    static std::unique_ptr<FileWindow> open(const std::filesystem::path& path,
                                            std::size_t chunkBytes = kDefaultChunkBytes,
                                            std::uintmax_t maxBytes = std::uintmax_t(1) << 31);
    ~FileWindow() override;
    FileWindow(const FileWindow&) = delete;
    FileWindow& operator=(const FileWindow&) = delete;

    // The file's size when it was opened: what is read, even if the file grows since.
    std::size_t size() const { return m_size; }
    // Failure when a read failed or the file was found shorter than its size: the reading
    // stopped there and what was read is not the file.
    const FileResult& result() const { return m_result; }

    const char* data() const override { return m_base; }
    std::size_t available() const override { return m_filled; }
    bool extend() override;
    void release(std::size_t offset) override;

private:
    FileWindow(int fd, char* base, std::size_t size, std::size_t chunkBytes);

    int m_fd;
    char* m_base;
    std::size_t m_size;
    std::size_t m_chunkBytes;
    std::size_t m_filled = 0;
    std::size_t m_released = 0;  // bytes [0, m_released) were given back
    FileResult m_result;
};

}  // namespace pennory::files
