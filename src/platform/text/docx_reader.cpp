// looksLikeDocx and readDocx of office_documents.h. Footnotes and endnotes are read after the
// main text, each as a paragraph of its own, in the order the text refers to them; the
// reference marks themselves are left out.

#include <cmath>
#include <map>
#include <memory>

#include "platform/text/docx_package.h"
#include "platform/text/figure_header.h"
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

// Figures from the main document's image parts: each part read and checked once, the figures
// of one part sharing its bytes.
class DocxFigures {
public:
    DocxFigures(ZipReader& zip, const std::vector<Relationship>& relationships,
                std::string_view contentTypes, LeftOutKinds& leftOut)
        : m_entries(zip), m_relationships(relationships), m_contentTypes(contentTypes),
          m_leftOut(leftOut) {}

    FigureRef figureFor(std::string_view relationshipId, long long cx, long long cy) {
        const Relationship* relationship = relationshipById(m_relationships, relationshipId);
        if (!relationship || relationship->type != "image") return {};
        const std::shared_ptr<const std::string> bytes = m_entries.bytes(relationship->target);
        if (!bytes) return {};
        const FigureHeader header = probeFigureHeader(*bytes);
        if (header.tooLarge) return {};
        Figure figure;
        figure.kind = header.kind;
        figure.bytes = bytes;
        figure.widthPx = header.widthPx;
        figure.heightPx = header.heightPx;
        const double widthCm = cx / 360000.0;
        if (header.kind == FigureKind::Other) {
            const std::string type = contentTypeOf(m_contentTypes, relationship->target);
            figure.origin = type.empty() ? std::string() : "docx:" + type;
            // Its own size is unknown: the size the document gives it is its natural one.
            figure.goalWidthTwips = static_cast<int>(std::llround(cx / 635.0));  // EMU a twip
            figure.goalHeightTwips = static_cast<int>(std::llround(cy / 635.0));
            m_leftOut.add(LeftOut::UnshownPictures);
        } else if (cx > 0 && std::abs(widthCm - naturalWidthCm(figure)) >= 0.01) {
            figure.width = {FigureWidth::Unit::Centimetres, static_cast<float>(widthCm)};
        }
        return FigureRef(std::move(figure));
    }

private:
    SharedEntries m_entries;
    const std::vector<Relationship>& m_relationships;
    std::string_view m_contentTypes;
    LeftOutKinds& m_leftOut;
};

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
    DocxFigures figures(*zip, relationships, *types, reading.leftOut);
    reader.setFigureSource([&figures](std::string_view id, long long cx, long long cy) {
        return figures.figureFor(id, cx, cy);
    });
    if (!readXml(*main, reader)) return fail(PackageProblem::BadXml);
    reading.content = reader.takeText();
    if (!reader.noteReferences().empty())
        appendNotes(*zip, relationships, reader.noteReferences(), styles, plainFormat, reading);
    return reading;
}

}  // namespace pennory::text
