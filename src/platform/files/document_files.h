#pragma once
// Manuscript and reference files as the rich-text control loads and saves them.

#include <filesystem>

#include "platform/files/file_result.h"
#include "platform/text/styled_text.h"

namespace pennory::files {

enum class SaveType { Rtf = 0, Text = 1 };

struct LoadedDocument {
    FileResult result;
    text::StyledText content;
};

// A file beginning with "{\rtf" is read as RTF with its formatting; any other text file as
// plain text in plainFormat. A file that is not text is refused.
LoadedDocument loadDocument(const std::filesystem::path& path,
                            const text::CharFormat& plainFormat);

// Type Rtf writes the formatted content; type Text the characters only, as encodePlainText()
// writes them (code page 936, GB18030 when a character needs it; CR LF as the content has).
FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        SaveType type);

}  // namespace pennory::files
