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
    // Pictures: the groups that hold one, the picture, its size and its data's form
    Shape,            // \shp, a floating shape: its picture, if it has one, is read
    ShapeInstance,    // \shpinst, the shape's properties, where its picture stands
    ShapeResult,      // \shprslt, the shape drawn for older readers
    ShapePicture,     // \shppict, read in preference to \nonshppict
    NonShapePicture,  // \nonshppict, the copy for older readers
    Picture,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    PngBlip,
    JpegBlip,
    DibBitmap,
    WindowsBitmap,
    WindowsMetafile,
    EmfBlip,
    MacPicture,
    Os2Metafile,
    PennoryGif,        // the bytes of a GIF figure, which RTF has no form for
    PennoryMedia,      // a picture file RTF has no form for: its media type, then its bytes
    PennoryWmfHeader,  // the placeable header a WMF came with, kept beside its records
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
