// looksLikeDocx and readDocx of office_documents.h. Footnotes and endnotes are read after the
// main text, each as a paragraph of its own, in the order the text refers to them; the
// reference marks themselves are left out.

#include "platform/text/docx_package.h"
#include "platform/text/docx_story_reader.h"
#include "platform/text/docx_styles.h"
#include "platform/text/office_documents.h"

namespace pennory::text {
namespace {

using namespace docx;

constexpr std::string_view kContentTypes = "[Content_Types].xml";

// An optional part: missing is no problem, unreadable is.
std::optional<std::string> readOptional(ZipReader& zip, const std::string& name,
                                        PackageProblem& problem, bool& failed) {
    if (name.empty() || !zip.has(name)) return std::nullopt;
    auto bytes = zip.read(name, problem);
    if (!bytes) failed = true;
    return bytes;
}

// The note's text without the space Word puts after the reference mark.
StyledText trimmedNote(const StyledText& note) {
    const std::u16string plain = note.plainText();
    std::size_t start = 0;
    while (start < plain.size() && (plain[start] == u' ' || plain[start] == u'\t')) ++start;
    return note.slice(start, plain.size() - start);
}

void appendNotes(ZipReader& zip, const std::vector<Relationship>& relationships,
                 const std::vector<NoteReference>& references, DocxStyles& styles,
                 const CharFormat& plainFormat, OfficeReading& reading) {
    std::map<std::pair<bool, std::string>, StyledText> notes;
    for (const bool endnote : {false, true}) {
        PackageProblem problem{};
        bool failed = false;
        const auto xml = readOptional(
            zip, targetOf(relationships, endnote ? "endnotes" : "footnotes"), problem, failed);
        if (!xml) continue;
        DocxStoryReader reader(DocxStoryReader::Part::Notes, styles, plainFormat, reading.leftOut);
        readXml(*xml, reader);  // a broken notes part keeps the notes read before the fault
        for (auto& [key, text] : reader.takeNotes()) notes[key] = std::move(text);
    }
    for (const auto& reference : references) {
        const auto it = notes.find({reference.endnote, reference.id});
        if (it == notes.end()) continue;
        const StyledText note = trimmedNote(it->second);
        if (note.empty()) continue;
        const auto& runs = reading.content.runs();
        reading.content.append(u"\r\n",
                               runs.empty() ? note.runs().front().format : runs.back().format);
        reading.content.append(note);
    }
}

}  // namespace

bool looksLikeDocx(std::string_view bytes) {
    PackageProblem problem{};
    auto zip = ZipReader::open(bytes, problem);
    if (!zip || !zip->has(kContentTypes)) return false;
    const auto types = zip->read(kContentTypes, problem);
    return types && namesMainDocument(*types);
}

OfficeReading readDocx(std::string_view bytes, const CharFormat& plainFormat) {
    OfficeReading reading;
    PackageProblem problem{};
    auto zip = ZipReader::open(bytes, problem);
    if (!zip) {
        reading.problem = problem;
        return reading;
    }
    auto fail = [&](PackageProblem p) {
        reading = OfficeReading{};
        reading.problem = p;
        return reading;
    };
    if (!zip->has(kContentTypes)) return fail(PackageProblem::NotADocument);
    const auto types = zip->read(kContentTypes, problem);
    if (!types) return fail(problem);
    const std::string fromTypes = mainPartFromContentTypes(*types);
    if (fromTypes.empty()) return fail(PackageProblem::NotADocument);

    bool failed = false;
    std::string mainPart;
    if (const auto rels = readOptional(*zip, "_rels/.rels", problem, failed))
        mainPart = targetOf(readRelationships(*rels, ""), "officeDocument");
    if (failed) return fail(problem);
    if (mainPart.empty() || !zip->has(mainPart)) mainPart = fromTypes;
    if (!zip->has(mainPart)) return fail(PackageProblem::MissingPart);

    std::vector<Relationship> relationships;
    if (const auto rels = readOptional(*zip, relationshipsPartOf(mainPart), problem, failed))
        relationships = readRelationships(*rels, mainPart);
    DocxStyles styles;
    if (const auto xml = readOptional(*zip, targetOf(relationships, "styles"), problem, failed);
        xml && !styles.read(*xml))
        return fail(PackageProblem::BadXml);
    if (const auto xml = readOptional(*zip, targetOf(relationships, "theme"), problem, failed))
        styles.setTheme(readThemeFonts(*xml));
    if (failed) return fail(problem);

    const auto main = zip->read(mainPart, problem);
    if (!main) return fail(problem);
    DocxStoryReader reader(DocxStoryReader::Part::Document, styles, plainFormat, reading.leftOut);
    if (!readXml(*main, reader)) return fail(PackageProblem::BadXml);
    reading.content = reader.takeText();
    if (!reader.noteReferences().empty())
        appendNotes(*zip, relationships, reader.noteReferences(), styles, plainFormat, reading);
    return reading;
}

}  // namespace pennory::text
