#pragma once
// The WordprocessingML elements that the story reader tells apart, by their qualified names.

#include <optional>
#include <string_view>

namespace pennory::text::docx {

enum class StoryTag : unsigned char {
    Other,
    Skip,  // nothing inside is text: deletions, field instructions, revision records, ...
    Paragraph,
    ParagraphProps,
    ParagraphStyle,
    Run,
    RunProps,
    CharacterStyle,
    Text,
    Tab,
    Break,
    Symbol,
    NoBreakHyphen,
    SoftHyphen,
    FieldChar,
    Table,
    Row,
    Cell,
    TextBox,
    FootnoteReference,
    EndnoteReference,
    Note,
    Picture,  // w:drawing, w:pict: a picture unless it holds a text box
    Image,    // a picture whatever holds it
    Object,
    HeaderFooter,
    Comment,
    Alternate,
    Choice,
    Fallback,
};

// What the element of this qualified name is to the story reader; Other when it is nothing
// it reads.
StoryTag storyTagOf(std::string_view name);

// The character of a w:sym's w:char (hex digits), or nothing when it is not one.
std::optional<char16_t> symbolOf(std::string_view hex);

}  // namespace pennory::text::docx
