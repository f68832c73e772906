#pragma once
// Loading a file into a rich-text box and writing the manuscript to a file, with failures
// told to the writer. A failure leaves the box, and any file already at the path, as they
// were; the caller only learns whether to go on.

#include <string_view>

#include "platform/controls.h"
#include "platform/files/document_files.h"

namespace pennory::app {
class Form1;
}

namespace pennory::document {

// Replaces target's whole content by the file at path: RTF with its formatting, any other
// text as plain text in target's default format. An empty path loads nothing, shows nothing
// and leaves target untouched. Returns true when the file was loaded; a file that cannot be
// read is reported in a message box naming it and the reason, and target keeps its content.
// When the file had content its format's reader could not keep (an RTF file's pictures, say),
// one message box after the load names the file and every kind left out.
bool loadInto(app::Form1& form, platform::RichTextBox& target, std::u16string_view path);

// Writes the manuscript editor's content to path as type, replacing any file there. Returns
// true when written; on failure a message box names the file and the reason, and an existing
// file keeps its old content.
bool writeManuscript(app::Form1& form, std::u16string_view path, files::SaveType type);

}  // namespace pennory::document
