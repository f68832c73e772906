#include "platform/files/clipboard_passage.h"

#include <algorithm>

#include "platform/files/document_formats.h"
#include "platform/text/line_breaks.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::files {

namespace {

bool isFigureRun(const text::StyledRun& run) {
    return run.format.figure && run.text.find(text::kObjectCharacter) != std::u16string::npos;
}

// The characters with the figures' object characters left out; a plain U+FFFC, which is no
// figure, stays as it was.
std::u16string textWithoutFigures(const text::StyledText& passage) {
    std::u16string out;
    out.reserve(passage.length());
    for (const text::StyledRun& run : passage.runs()) {
        if (!run.format.figure) {
            out += run.text;
            continue;
        }
        std::copy_if(run.text.begin(), run.text.end(), std::back_inserter(out),
                     [](char16_t c) { return c != text::kObjectCharacter; });
    }
    return out;
}

std::u16string withLineBreak(std::u16string crLf, std::u16string_view lineBreak) {
    if (lineBreak == u"\r\n") return crLf;
    std::u16string out;
    out.reserve(crLf.size());
    for (std::size_t i = 0; i < crLf.size(); ++i) {
        if (crLf[i] == u'\r' && i + 1 < crLf.size() && crLf[i + 1] == u'\n') {
            out += lineBreak;
            ++i;
        } else {
            out += crLf[i];
        }
    }
    return out;
}

std::u16string comparable(std::u16string_view text) {
    return text::withCrLfLineBreaks(text, text::ParagraphSeparator::IsLineBreak);
}

// The passage whose bytes this program gave last. RTF has no form for a figure that came
// from an office document, and gives a width in percent back in centimetres: a figure cut
// and pasted within the program must come back as it went.
struct GivenPassage {
    std::string styled;
    text::StyledText passage;
};

GivenPassage& lastGiven() {
    static GivenPassage given;
    return given;
}

}  // namespace

ClipboardPassage clipboardPassage(const text::StyledText& passage, std::u16string_view lineBreak) {
    ClipboardPassage out{withLineBreak(textWithoutFigures(passage), lineBreak), std::nullopt};
    if (std::any_of(passage.runs().begin(), passage.runs().end(), isFigureRun)) {
        out.styled = text::writeRtf(passage);
        lastGiven() = {*out.styled, passage};
    }
    return out;
}

std::optional<text::StyledText> passageToPaste(std::u16string_view clipboardText,
                                               std::string_view styled) {
    if (!text::looksLikeRtf(styled)) return std::nullopt;
    std::optional<text::StyledText> passage;
    if (styled == lastGiven().styled) {
        passage = lastGiven().passage;
    } else {
        // From another run of the program: read as an RTF file is, pictures held to the same
        // checks.
        ReadResult read = documentFormat(SaveType::Rtf).read(styled, {});
        if (!read.accepted) return std::nullopt;
        passage = std::move(read.content);
    }
    if (comparable(textWithoutFigures(*passage)) != comparable(clipboardText)) return std::nullopt;
    return passage;
}

std::vector<text::Replacement> passageReplacements(const text::StyledText& passage,
                                                   std::size_t start, std::size_t length) {
    // Insertions at one start come before the replacement there, in the order given.
    std::vector<text::Replacement> out;
    for (const text::StyledRun& run : passage.runs()) {
        out.push_back({start, 0, run.text, run.format});
    }
    if (length > 0) out.push_back({start, length, u"", std::nullopt});
    return out;
}

}  // namespace pennory::files
