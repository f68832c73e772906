#pragma once
// Finding the parts of a WordprocessingML package: the content types name the main document,
// the package relationships point at it, and the main part's relationships at its styles,
// theme, notes, headers and comments.

#include <string>
#include <string_view>
#include <vector>

namespace pennory::text::docx {

struct Relationship {
    std::string type;    // the last segment of the type URI: "officeDocument", "styles", ...
    std::string target;  // the part name, resolved against the source part, without a "/"
    std::string id;      // "rId4"
};

// The content type [Content_Types].xml gives the part: its Override, else the Default of its
// extension (compared without regard to case); empty when none.
std::string contentTypeOf(std::string_view contentTypesXml, std::string_view part);

// True when [Content_Types].xml names a WordprocessingML main document (a document, a
// template or their macro-enabled forms).
bool namesMainDocument(std::string_view contentTypesXml);
// The part name of the first override with a main-document content type; empty if none.
std::string mainPartFromContentTypes(std::string_view contentTypesXml);

// The internal relationships of a .rels part whose source part is source ("" for the
// package). Not XML: none.
std::vector<Relationship> readRelationships(std::string_view relsXml, std::string_view source);
// Where the relationships of part live: "word/_rels/document.xml.rels" for "word/document.xml".
std::string relationshipsPartOf(std::string_view part);
// The relationship of this id; null if none.
const Relationship* relationshipById(const std::vector<Relationship>& relationships,
                                     std::string_view id);
// The target of the first relationship of the type; empty if none.
std::string targetOf(const std::vector<Relationship>& relationships, std::string_view type);

}  // namespace pennory::text::docx
