#include "platform/text/docx_story_tags.h"

#include <charconv>
#include <unordered_map>

#include "platform/text/docx_names.h"

namespace pennory::text::docx {

namespace {

// WordprocessingML elements by local name, one line each.
const std::unordered_map<std::string_view, StoryTag>& wordTags() {
    static const std::unordered_map<std::string_view, StoryTag> tags = {
        {"p", StoryTag::Paragraph},
        {"pPr", StoryTag::ParagraphProps},
        {"pStyle", StoryTag::ParagraphStyle},
        {"r", StoryTag::Run},
        {"rPr", StoryTag::RunProps},
        {"rStyle", StoryTag::CharacterStyle},
        {"t", StoryTag::Text},
        {"tab", StoryTag::Tab},
        {"ptab", StoryTag::Tab},
        {"br", StoryTag::Break},
        {"cr", StoryTag::Break},
        {"sym", StoryTag::Symbol},
        {"noBreakHyphen", StoryTag::NoBreakHyphen},
        {"softHyphen", StoryTag::SoftHyphen},
        {"fldChar", StoryTag::FieldChar},
        {"tbl", StoryTag::Table},
        {"tr", StoryTag::Row},
        {"tc", StoryTag::Cell},
        {"txbxContent", StoryTag::TextBox},
        {"footnoteReference", StoryTag::FootnoteReference},
        {"endnoteReference", StoryTag::EndnoteReference},
        {"footnote", StoryTag::Note},
        {"endnote", StoryTag::Note},
        {"drawing", StoryTag::Picture},
        {"pict", StoryTag::Picture},
        {"object", StoryTag::Object},
        {"headerReference", StoryTag::HeaderFooter},
        {"footerReference", StoryTag::HeaderFooter},
        {"commentReference", StoryTag::Comment},
        {"commentRangeStart", StoryTag::Comment},
        {"del", StoryTag::Skip},
        {"moveFrom", StoryTag::Skip},
        {"delText", StoryTag::Skip},
        {"delInstrText", StoryTag::Skip},
        {"instrText", StoryTag::Skip},
        {"rPrChange", StoryTag::Skip},
        {"pPrChange", StoryTag::Skip},
        {"sdtPr", StoryTag::Skip},
        {"sdtEndPr", StoryTag::Skip},
        {"rt", StoryTag::Skip},
        {"customXmlPr", StoryTag::Skip},
        {"smartTagPr", StoryTag::Skip},
    };
    return tags;
}

constexpr std::string_view kVml = "urn:schemas-microsoft-com:vml";
constexpr std::string_view kPicture = "http://schemas.openxmlformats.org/drawingml/2006/picture";

}  // namespace

StoryTag storyTagOf(std::string_view name) {
    if (const std::string_view local = wordLocal(name); !local.empty()) {
        const auto& tags = wordTags();
        const auto it = tags.find(local);
        return it == tags.end() ? StoryTag::Other : it->second;
    }
    if (const std::string_view local = localIn(name, kMarkupCompatibility); !local.empty()) {
        if (local == "AlternateContent") return StoryTag::Alternate;
        if (local == "Choice") return StoryTag::Choice;
        if (local == "Fallback") return StoryTag::Fallback;
        return StoryTag::Other;
    }
    if (localIn(name, kDrawingMain) == "blip" || localIn(name, kPicture) == "pic" ||
        localIn(name, kVml) == "imagedata")
        return StoryTag::Image;
    return StoryTag::Other;
}

std::optional<char16_t> symbolOf(std::string_view hex) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (error != std::errc() || end != hex.data() + hex.size() || hex.empty() || value == 0 ||
        value > 0xFFFF)
        return std::nullopt;
    return static_cast<char16_t>(value);
}

}  // namespace pennory::text::docx
