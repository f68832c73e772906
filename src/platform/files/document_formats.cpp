#include "platform/files/document_formats.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/files/file_errors.h"
#include "platform/files/foreign_documents.h"
#include "platform/files/picture_probe.h"
#include "platform/text/line_breaks.h"
#include "platform/text/office_documents.h"
#include "platform/text/plain_text.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "platform/text/xml_text.h"

namespace pennory::files {

namespace {

// A picture in a document is held to the same budget as the reference picture.
text::PictureCheck checkPicture(std::string_view bytes) {
    const PictureResult probed = probePicture(bytes);
    return {probed.ok(), probed.widthPx, probed.heightPx};
}

ReadResult readRtfDocument(std::string_view bytes, const text::CharFormat&) {
    ReadResult result;
    result.content = text::readRtf(bytes, result.leftOut, checkPicture);
    return result;
}

ReadResult readRtfWindow(text::ByteWindow& input, const text::CharFormat&) {
    ReadResult result;
    result.content = text::readRtf(input, result.leftOut, checkPicture);
    return result;
}

WriteResult writeRtfDocument(const text::StyledText& content) {
    return {true, {}, text::writeRtf(content)};
}

bool streamRtfDocument(const text::StyledText& content, const text::ByteSink& sink) {
    return text::writeRtf(content, sink);
}

ReadResult readPlainTextDocument(std::string_view bytes, const text::CharFormat& plainFormat) {
    ReadResult result;
    std::optional<std::u16string> plain = text::decodePlainText(bytes);
    if (!plain) {
        result.accepted = false;
        result.refusal = kMessageNotText;
        return result;
    }
    result.content = text::StyledText(text::withCrLfLineBreaks(*plain), plainFormat);
    return result;
}

WriteResult writePlainTextDocument(const text::StyledText& content) {
    return {true, {}, text::encodePlainText(content.plainText())};
}

ReadResult officeResult(text::OfficeReading reading) {
    ReadResult result;
    if (reading.problem) {
        result.accepted = false;
        result.refusal = messageForPackageProblem(*reading.problem);
        return result;
    }
    result.content = std::move(reading.content);
    result.leftOut = reading.leftOut;
    return result;
}

ReadResult readDocxDocument(std::string_view bytes, const text::CharFormat& plainFormat) {
    return officeResult(text::readDocx(bytes, plainFormat));
}

ReadResult readOdtDocument(std::string_view bytes, const text::CharFormat& plainFormat) {
    return officeResult(text::readOdt(bytes, plainFormat));
}

// The cipher writes control characters; any other character XML cannot hold (U+FFFE, a lone
// surrogate) came from elsewhere, and decrypting would not help.
std::u16string_view xmlRefusal(const text::StyledText& content) {
    for (char16_t unit : content.plainText()) {
        if (unit < 0x20 && unit != u'\t' && unit != u'\r' && unit != u'\n') {
            return kMessageCipherTextNotXml;
        }
    }
    return kMessageTextNotXml;
}

// Refused before a byte is made: nothing is written and the manuscript stays as it is.
std::u16string_view officeRefusal(const text::StyledText& content) {
    return text::xmlCanHold(content) ? std::u16string_view() : xmlRefusal(content);
}

WriteResult writeOfficeDocument(const text::StyledText& content,
                                std::string (*write)(const text::StyledText&)) {
    if (const std::u16string_view refusal = officeRefusal(content); !refusal.empty())
        return {false, std::u16string(refusal), {}};
    return {true, {}, write(content)};
}

bool streamDocxDocument(const text::StyledText& content, const text::ByteSink& sink) {
    return text::writeDocx(content, sink);
}

bool streamOdtDocument(const text::StyledText& content, const text::ByteSink& sink) {
    return text::writeOdt(content, sink);
}

WriteResult writeDocxDocument(const text::StyledText& content) {
    return writeOfficeDocument(content, &text::writeDocx);
}

WriteResult writeOdtDocument(const text::StyledText& content) {
    return writeOfficeDocument(content, &text::writeOdt);
}

// One row a format, in Save As order.
constexpr std::array kFormats{
    DocumentFormat{.type = SaveType::Rtf,
                   .saveAsCaption = u"rtf文档",
                   .openLabel = u"rtf文件(*.rtf)",
                   .saveLabel = u"rtf文件(*.rtf)",
                   .pattern = u"*.rtf",
                   .openRank = 2,
                   .recognises = &text::looksLikeRtf,
                   .read = &readRtfDocument,
                   .readWindow = &readRtfWindow,
                   .write = &writeRtfDocument,
                   .refuses = nullptr,
                   .stream = &streamRtfDocument},
    // Open's list calls it "text", the Save As dialog "txt".
    DocumentFormat{.type = SaveType::Text,
                   .saveAsCaption = u"txt文档",
                   .openLabel = u"text文件(*.txt)",
                   .saveLabel = u"txt文件(*.txt)",
                   .pattern = u"*.txt",
                   .openRank = 1,
                   .recognises = nullptr,
                   .read = &readPlainTextDocument,
                   .write = &writePlainTextDocument,
                   .refuses = nullptr,
                   .stream = nullptr},
    DocumentFormat{.type = SaveType::Docx,
                   .saveAsCaption = u"docx文档",
                   .openLabel = u"docx文件(*.docx)",
                   .saveLabel = u"docx文件(*.docx)",
                   .pattern = u"*.docx",
                   .openRank = 3,
                   .recognises = &text::looksLikeDocx,
                   .read = &readDocxDocument,
                   .write = &writeDocxDocument,
                   .refuses = &officeRefusal,
                   .stream = &streamDocxDocument},
    DocumentFormat{.type = SaveType::Odt,
                   .saveAsCaption = u"odt文档",
                   .openLabel = u"odt文件(*.odt)",
                   .saveLabel = u"odt文件(*.odt)",
                   .pattern = u"*.odt",
                   .openRank = 4,
                   .recognises = &text::looksLikeOdt,
                   .read = &readOdtDocument,
                   .write = &writeOdtDocument,
                   .refuses = &officeRefusal,
                   .stream = &streamOdtDocument},
};

constexpr bool inSaveAsOrder() {
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        if (static_cast<std::size_t>(kFormats[i].type) != i) return false;
    }
    return true;
}
static_assert(inSaveAsOrder(), "row i of kFormats has SaveType i");

constexpr std::u16string_view kAllFilesEntry = u"所有文件(*.*)|*.*|";

}  // namespace

std::span<const DocumentFormat> documentFormats() { return kFormats; }

const DocumentFormat& documentFormat(SaveType type) {
    return kFormats[static_cast<std::size_t>(type)];
}

const DocumentFormat* saveAsFormat(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kFormats.size()) return nullptr;
    return &kFormats[static_cast<std::size_t>(index)];
}

std::vector<std::u16string_view> saveAsCaptions() {
    std::vector<std::u16string_view> captions;
    for (const DocumentFormat& format : kFormats) captions.push_back(format.saveAsCaption);
    return captions;
}

std::u16string openFilter() {
    std::vector<const DocumentFormat*> listed;
    for (const DocumentFormat& format : kFormats) {
        if (format.read && !format.openLabel.empty()) listed.push_back(&format);
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const auto* a, const auto* b) { return a->openRank < b->openRank; });
    std::u16string filter(kAllFilesEntry);
    for (const DocumentFormat* format : listed) {
        filter += format->openLabel;
        filter += u'|';
        filter += format->pattern;
        filter += u'|';
    }
    return filter;
}

std::u16string saveFilter(SaveType type, FilterEnd end) {
    const DocumentFormat& format = documentFormat(type);
    std::u16string filter(format.saveLabel);
    filter += u'|';
    filter += format.pattern;
    if (end == FilterEnd::TrailingBar) filter += u'|';
    return filter;
}

RecognisedDocument readDocumentBytes(std::string_view bytes, const text::CharFormat& plainFormat) {
    for (const DocumentFormat& format : kFormats) {
        if (format.read && format.recognises && format.recognises(bytes)) {
            return {&format, format.read(bytes, plainFormat)};
        }
    }
    if (std::optional<std::u16string> refusal = foreignDocumentRefusal(bytes)) {
        RecognisedDocument foreign;
        foreign.read.accepted = false;
        foreign.read.refusal = std::move(*refusal);
        return foreign;
    }
    for (const DocumentFormat& format : kFormats) {
        if (!format.read || format.recognises) continue;
        ReadResult read = format.read(bytes, plainFormat);
        if (read.accepted) return {&format, std::move(read)};
    }
    RecognisedDocument none;
    none.read.accepted = false;
    none.read.refusal = kMessageNotText;
    return none;
}

const DocumentFormat* windowFormat(std::string_view head) {
    // In readDocumentBytes()'s order: a format before it that needs the whole file to judge
    // could claim the file, and then the file is read whole.
    for (const DocumentFormat& format : kFormats) {
        if (!format.read || !format.recognises) continue;
        if (!format.readWindow) return nullptr;
        if (format.recognises(head)) return &format;
    }
    return nullptr;
}

}  // namespace pennory::files
