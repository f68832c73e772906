#include "platform/files/document_files.h"

#include <string>

#include "platform/files/file_errors.h"
#include "platform/files/file_io.h"
#include "platform/text/line_breaks.h"
#include "platform/text/plain_text.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::files {

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
    loaded.content = text::StyledText(text::withCrLfLineBreaks(*plain), plainFormat);
    return loaded;
}

FileResult saveDocument(const std::filesystem::path& path, const text::StyledText& content,
                        SaveType type) {
    const std::string bytes = type == SaveType::Rtf ? text::writeRtf(content)
                                                    : text::encodePlainText(content.plainText());
    return writeFileAtomically(path, bytes);
}

}  // namespace pennory::files
