#include "platform/files/text_lines.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/files/file_errors.h"
#include "platform/files/file_io.h"
#include "platform/text/plain_text.h"

namespace pennory::files {

ReadLines readTextLines(const std::filesystem::path& path) {
    ReadLines read;
    std::string bytes;
    read.result = readFile(path, bytes);
    if (!read.result.ok) {
        struct stat info {};
        read.missing = ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
        return read;
    }
    std::optional<std::u16string> text = text::decodePlainText(bytes);
    if (!text) {
        read.result = FileResult::failure(kMessageNotText);
        return read;
    }
    read.lines = text::splitLines(*text);
    return read;
}

FileResult writeTextLines(const std::filesystem::path& path,
                          const std::vector<std::u16string>& lines, bool ownerOnly) {
    std::u16string text;
    for (const std::u16string& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return writeFileAtomically(path, text::encodePlainText(text), ownerOnly);
}

}  // namespace pennory::files
