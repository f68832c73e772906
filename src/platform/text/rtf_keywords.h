#pragma once
// The control words the RTF reader acts on. Every other word is ignored (or, after \*, skips
// its group).

#include <cstdint>
#include <string_view>

namespace pennory::text {

enum class RtfKeyword : std::uint8_t {
    Unknown,
    // Destinations
    SkipDestination,  // any destination whose content is not document text
    // Destinations skipped whose content the writer should hear was left out
    PictureDestination,
    ObjectDestination,
    FootnoteDestination,
    HeaderFooterDestination,
    CommentDestination,
    FontTable,
    ColourTable,
    Field,
    FieldResult,
    Upr,
    Ud,
    // Document and font table
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    UnicodeSkip,
    Unicode,
    // Character formatting
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    ColourIndex,
    AssocFont,
    AssocFontSize,
    AssocBold,
    AssocItalic,
    LowAnsi,
    HighAnsi,
    DoubleByte,
    RightToLeftRun,
    LeftToRightRun,
    // Paragraph formatting
    ParagraphDefault,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    FirstIndent,
    LeftIndent,
    RightIndent,
    FirstIndentChars,
    LeftIndentChars,
    RightIndentChars,
    LineSpacing,
    LineSpacingMultiple,
    SpaceBefore,
    SpaceAfter,
    // Characters
    Par,
    Line,
    Tab,
    Cell,
    Row,
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    QmSpace,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    ZeroWidthJoiner,
    ZeroWidthNonJoiner,
    LeftToRightMark,
    RightToLeftMark,
};

RtfKeyword lookupRtfKeyword(std::string_view word);

}  // namespace pennory::text
