#include "platform/files/document_files.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "platform/files/file_io.h"
#include "platform/files/file_window.h"

namespace pennory::files {
namespace {

LoadedDocument loadedFrom(ReadResult read) {
    LoadedDocument loaded;
    if (!read.accepted) {
        loaded.result = FileResult::failure(std::move(read.refusal));
        return loaded;
    }
    loaded.content = std::move(read.content);
    loaded.leftOut = read.leftOut;
    return loaded;
}

// The document read through a window, or none when the file is to be read whole: too small
// to be worth it, of a format read whole, or not a file a window opens.
std::optional<LoadedDocument> loadThroughWindow(const std::filesystem::path& path,
                                                const text::CharFormat& plainFormat,
                                                const ReadWindowing& windowing) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size < windowing.windowFromBytes) return std::nullopt;
    const auto window = FileWindow::open(path, windowing.chunkBytes);
    if (!window) return std::nullopt;
    while (window->available() < kHeadBytes && window->extend()) {
    }
    if (!window->result().ok) return LoadedDocument{window->result(), {}, {}};
    const DocumentFormat* format =
        windowFormat({window->data(), std::min(window->available(), kHeadBytes)});
    if (!format) return std::nullopt;
    ReadResult read = format->readWindow(*window, plainFormat);
    // What a failed read gave is part of a file: never shown as the file.
    if (!window->result().ok) return LoadedDocument{window->result(), {}, {}};
    return loadedFrom(std::move(read));
}

}  // namespace

LoadedDocument loadDocument(const std::filesystem::path& path,
                            const text::CharFormat& plainFormat) {
    return loadDocument(path, plainFormat, ReadWindowing{});
}

LoadedDocument loadDocument(const std::filesystem::path& path, const text::CharFormat& plainFormat,
                            const ReadWindowing& windowing) {
    if (auto loaded = loadThroughWindow(path, plainFormat, windowing)) return std::move(*loaded);
    std::string bytes;
    if (FileResult read = readFile(path, bytes); !read.ok) return {std::move(read), {}, {}};
    return loadedFrom(readDocumentBytes(bytes, plainFormat).read);
}

FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        const DocumentFormat& format) {
    if (format.refuses) {
        if (const std::u16string_view refusal = format.refuses(content); !refusal.empty())
            return FileResult::failure(std::u16string(refusal));
    }
    // A file of photos goes to the disk as it is made, never held whole beside them.
    if (format.stream) {
        return writeFileAtomically(
            path, [&](const text::ByteSink& sink) { return format.stream(content, sink); });
    }
    WriteResult written = format.write(content);
    if (!written.accepted) return FileResult::failure(std::move(written.refusal));
    return writeFileAtomically(path, written.bytes);
}

FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        SaveType type) {
    return saveDocument(path, content, documentFormat(type));
}

}  // namespace pennory::files
