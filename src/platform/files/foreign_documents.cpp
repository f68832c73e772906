#include "platform/files/foreign_documents.h"

#include <algorithm>
#include <vector>

#include "platform/files/file_errors.h"
#include "platform/text/binary_file_check.h"
#include "platform/text/ole_container.h"
#include "platform/text/zip_package.h"

namespace pennory::files {
namespace {

std::u16string oleRefusal(std::string_view bytes) {
    const auto names = text::oleEntryNames(bytes);
    if (!names) return kMessageNotText;
    auto holds = [&](std::u16string_view name) {
        return std::find(names->begin(), names->end(), name) != names->end();
    };
    // An encrypted package may carry a WordDocument stub too; the password is the reason.
    if (holds(u"EncryptedPackage") || holds(u"EncryptionInfo")) return kMessagePasswordProtected;
    if (holds(u"WordDocument")) return kMessageWord97Document;
    return kMessageNotText;
}

// The name of the zip's first entry, from its local header; empty when there is none.
std::string_view firstEntryName(std::string_view bytes) {
    if (bytes.size() < 30 || !bytes.starts_with("PK\x03\x04")) return {};
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const std::size_t length = byte(26) | (std::size_t{byte(27)} << 8);
    return bytes.substr(30, length);  // cut short by the end of the bytes
}

// Word, WPS, LibreOffice and the others write one of these first.
bool beginsLikeAnOfficeDocument(std::string_view bytes) {
    const std::string_view name = firstEntryName(bytes);
    return name == "[Content_Types].xml" || name == "mimetype" || name == "_rels/.rels" ||
           name.starts_with("word/") || name.starts_with("docProps/");
}

std::u16string zipRefusal(std::string_view bytes) {
    text::PackageProblem problem = text::PackageProblem::NotADocument;
    if (text::ZipReader::open(bytes, problem)) return kMessageZipNotADocument;
    // A broken zip: a document cut short is damaged; anything else is simply no text.
    if (problem == text::PackageProblem::TooLarge || beginsLikeAnOfficeDocument(bytes)) {
        return std::u16string(messageForPackageProblem(problem));
    }
    return kMessageNotText;
}

}  // namespace

std::optional<std::u16string> foreignDocumentRefusal(std::string_view bytes) {
    if (text::looksLikeOleContainer(bytes)) return oleRefusal(bytes);
    if (text::binaryFormatOf(bytes) == "zip") return zipRefusal(bytes);
    return std::nullopt;
}

}  // namespace pennory::files
