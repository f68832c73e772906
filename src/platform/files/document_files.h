#pragma once
// Manuscript and reference files as the rich-text control loads and saves them, in the
// formats of the document format table.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/files/document_formats.h"
#include "platform/files/file_result.h"
#include "platform/text/left_out.h"
#include "platform/text/styled_text.h"

namespace pennory::files {

struct LoadedDocument {
    FileResult result;
    text::StyledText content;
    text::LeftOutKinds leftOut;  // what the file had that content does not keep
};

// Reads the file in the format its bytes are recognised as (readDocumentBytes): a file
// beginning with "{\rtf" as RTF with its formatting, any other text file as plain text in
// plainFormat. A file no format reads is refused.
// A file of at least windowFromBytes whose format has a window reader (RTF) is read through a
// FileWindow of chunkBytes at a time, never held whole; the content is the same. A file that
// becomes shorter or cannot be read midway is refused with the reason, and nothing is kept.
LoadedDocument loadDocument(const std::filesystem::path& path, const text::CharFormat& plainFormat);

struct ReadWindowing {
    std::uintmax_t windowFromBytes = std::uintmax_t(16) << 20;
    std::size_t chunkBytes = std::size_t(4) << 20;
};
LoadedDocument loadDocument(const std::filesystem::path& path, const text::CharFormat& plainFormat,
                            const ReadWindowing& windowing);

// Writes content in the format's form (RTF: formatted; text: the characters only, as
// encodePlainText() writes them: code page 936, GB18030 when a character needs it, CR LF as
// the content has), replacing any file at path atomically. When the format refuses the
// content, nothing is written and the result carries its reason. A format that can stream
// (RTF, DOCX, ODT) is written as it is made, so the whole file is never in memory.
FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        const DocumentFormat& format);
FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        SaveType type);

}  // namespace pennory::files
