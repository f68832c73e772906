#include "platform/files/document_files.h"

#include <string>

#include "platform/files/file_errors.h"
#include "platform/files/file_io.h"
#include "platform/text/plain_text.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::files {
namespace {

// The editor's line break is CR LF; a text file may end its lines with LF or CR alone.
std::u16string withCrLfLineEnds(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

LoadedDocument loadDocument(const std::filesystem::path& path,
                            const text::CharFormat& plainFormat) {
    LoadedDocument loaded;
    std::string bytes;
    loaded.result = readFile(path, bytes);
    if (!loaded.result.ok) return loaded;
    if (text::looksLikeRtf(bytes)) {
        loaded.content = text::readRtf(bytes);
        return loaded;
    }
    std::optional<std::u16string> plain = text::decodePlainText(bytes);
    if (!plain) {
        loaded.result = FileResult::failure(kMessageNotText);
        return loaded;
    }
    loaded.content = text::StyledText(withCrLfLineEnds(*plain), plainFormat);
    return loaded;
}

FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        SaveType type) {
    const std::string bytes = type == SaveType::Rtf ? text::writeRtf(content)
                                                    : text::encodePlainText(content.plainText());
    return writeFileAtomically(path, bytes);
}

}  // namespace pennory::files
