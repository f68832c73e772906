#include "platform/files/document_files.h"

#include <string>

#include "platform/files/file_io.h"

namespace pennory::files {

LoadedDocument loadDocument(const std::filesystem::path& path,
                            const text::CharFormat& plainFormat) {
    LoadedDocument loaded;
    std::string bytes;
    loaded.result = readFile(path, bytes);
    if (!loaded.result.ok) return loaded;
    RecognisedDocument document = readDocumentBytes(bytes, plainFormat);
    if (!document.read.accepted) {
        loaded.result = FileResult::failure(std::move(document.read.refusal));
        return loaded;
    }
    loaded.content = std::move(document.read.content);
    loaded.leftOut = document.read.leftOut;
    return loaded;
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
