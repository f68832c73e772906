#pragma once
// The OpenDocument namespaces and the "URI|local" names the ODT reader compares with.

#include <string_view>

namespace pennory::text::odt {

inline constexpr std::string_view kOfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr std::string_view kStyleNs = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
inline constexpr std::string_view kTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view kTableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view kDrawNs = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";
inline constexpr std::string_view kFoNs =
    "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
inline constexpr std::string_view kSvgNs =
    "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
inline constexpr std::string_view kMimeType = "application/vnd.oasis.opendocument.text";

#define PENNORY_ODT_NAME(ns, local) "urn:oasis:names:tc:opendocument:xmlns:" ns "|" local

// Attributes of style:text-properties.
inline constexpr std::string_view kFontName = PENNORY_ODT_NAME("style:1.0", "font-name");
inline constexpr std::string_view kFontNameAsian = PENNORY_ODT_NAME("style:1.0", "font-name-asian");
inline constexpr std::string_view kFoFontFamily =
    PENNORY_ODT_NAME("xsl-fo-compatible:1.0", "font-family");
inline constexpr std::string_view kFontFamilyAsian =
    PENNORY_ODT_NAME("style:1.0", "font-family-asian");
inline constexpr std::string_view kFoFontSize =
    PENNORY_ODT_NAME("xsl-fo-compatible:1.0", "font-size");
inline constexpr std::string_view kFontSizeAsian = PENNORY_ODT_NAME("style:1.0", "font-size-asian");
inline constexpr std::string_view kFoFontWeight =
    PENNORY_ODT_NAME("xsl-fo-compatible:1.0", "font-weight");
inline constexpr std::string_view kFontWeightAsian =
    PENNORY_ODT_NAME("style:1.0", "font-weight-asian");
inline constexpr std::string_view kFoFontStyle =
    PENNORY_ODT_NAME("xsl-fo-compatible:1.0", "font-style");
inline constexpr std::string_view kFontStyleAsian =
    PENNORY_ODT_NAME("style:1.0", "font-style-asian");
inline constexpr std::string_view kUnderlineStyle =
    PENNORY_ODT_NAME("style:1.0", "text-underline-style");
inline constexpr std::string_view kUnderlineType =
    PENNORY_ODT_NAME("style:1.0", "text-underline-type");
inline constexpr std::string_view kLineThroughStyle =
    PENNORY_ODT_NAME("style:1.0", "text-line-through-style");
inline constexpr std::string_view kLineThroughType =
    PENNORY_ODT_NAME("style:1.0", "text-line-through-type");
inline constexpr std::string_view kFoColor = PENNORY_ODT_NAME("xsl-fo-compatible:1.0", "color");
inline constexpr std::string_view kUseWindowFontColor =
    PENNORY_ODT_NAME("style:1.0", "use-window-font-color");

// Style and font-face attributes.
inline constexpr std::string_view kStyleName = PENNORY_ODT_NAME("style:1.0", "name");
inline constexpr std::string_view kStyleFamily = PENNORY_ODT_NAME("style:1.0", "family");
inline constexpr std::string_view kParentStyleName =
    PENNORY_ODT_NAME("style:1.0", "parent-style-name");
inline constexpr std::string_view kSvgFontFamily =
    PENNORY_ODT_NAME("svg-compatible:1.0", "font-family");
inline constexpr std::string_view kTextStyleName = PENNORY_ODT_NAME("text:1.0", "style-name");
inline constexpr std::string_view kTextC = PENNORY_ODT_NAME("text:1.0", "c");

// Elements.
inline constexpr std::string_view kFontFace = PENNORY_ODT_NAME("style:1.0", "font-face");
inline constexpr std::string_view kStyle = PENNORY_ODT_NAME("style:1.0", "style");
inline constexpr std::string_view kDefaultStyle = PENNORY_ODT_NAME("style:1.0", "default-style");
inline constexpr std::string_view kTextProperties =
    PENNORY_ODT_NAME("style:1.0", "text-properties");
inline constexpr std::string_view kParagraphProperties =
    PENNORY_ODT_NAME("style:1.0", "paragraph-properties");
inline constexpr std::string_view kHeader = PENNORY_ODT_NAME("style:1.0", "header");
inline constexpr std::string_view kFooter = PENNORY_ODT_NAME("style:1.0", "footer");
inline constexpr std::string_view kHeaderLeft = PENNORY_ODT_NAME("style:1.0", "header-left");
inline constexpr std::string_view kFooterLeft = PENNORY_ODT_NAME("style:1.0", "footer-left");
inline constexpr std::string_view kOfficeText = PENNORY_ODT_NAME("office:1.0", "text");
inline constexpr std::string_view kAutomaticStyles =
    PENNORY_ODT_NAME("office:1.0", "automatic-styles");
inline constexpr std::string_view kAnnotation = PENNORY_ODT_NAME("office:1.0", "annotation");
inline constexpr std::string_view kP = PENNORY_ODT_NAME("text:1.0", "p");
inline constexpr std::string_view kH = PENNORY_ODT_NAME("text:1.0", "h");
inline constexpr std::string_view kSpan = PENNORY_ODT_NAME("text:1.0", "span");
inline constexpr std::string_view kA = PENNORY_ODT_NAME("text:1.0", "a");
inline constexpr std::string_view kS = PENNORY_ODT_NAME("text:1.0", "s");
inline constexpr std::string_view kTab = PENNORY_ODT_NAME("text:1.0", "tab");
inline constexpr std::string_view kLineBreak = PENNORY_ODT_NAME("text:1.0", "line-break");
inline constexpr std::string_view kNote = PENNORY_ODT_NAME("text:1.0", "note");
inline constexpr std::string_view kNoteCitation = PENNORY_ODT_NAME("text:1.0", "note-citation");
inline constexpr std::string_view kNoteBody = PENNORY_ODT_NAME("text:1.0", "note-body");
inline constexpr std::string_view kTrackedChanges = PENNORY_ODT_NAME("text:1.0", "tracked-changes");
inline constexpr std::string_view kRubyText = PENNORY_ODT_NAME("text:1.0", "ruby-text");
inline constexpr std::string_view kIndexTitleTemplate =
    PENNORY_ODT_NAME("text:1.0", "index-title-template");
inline constexpr std::string_view kSequenceDecls = PENNORY_ODT_NAME("text:1.0", "sequence-decls");
inline constexpr std::string_view kTable = PENNORY_ODT_NAME("table:1.0", "table");
inline constexpr std::string_view kTableRow = PENNORY_ODT_NAME("table:1.0", "table-row");
inline constexpr std::string_view kTableCell = PENNORY_ODT_NAME("table:1.0", "table-cell");
inline constexpr std::string_view kCoveredTableCell =
    PENNORY_ODT_NAME("table:1.0", "covered-table-cell");
inline constexpr std::string_view kFrame = PENNORY_ODT_NAME("drawing:1.0", "frame");
inline constexpr std::string_view kImage = PENNORY_ODT_NAME("drawing:1.0", "image");
inline constexpr std::string_view kObject = PENNORY_ODT_NAME("drawing:1.0", "object");
inline constexpr std::string_view kTextBox = PENNORY_ODT_NAME("drawing:1.0", "text-box");
inline constexpr std::string_view kSvgTitle = PENNORY_ODT_NAME("svg-compatible:1.0", "title");
inline constexpr std::string_view kSvgDesc = PENNORY_ODT_NAME("svg-compatible:1.0", "desc");
inline constexpr std::string_view kSvgWidth = PENNORY_ODT_NAME("svg-compatible:1.0", "width");
inline constexpr std::string_view kSvgHeight = PENNORY_ODT_NAME("svg-compatible:1.0", "height");
inline constexpr std::string_view kXlinkHref = "http://www.w3.org/1999/xlink|href";
inline constexpr std::string_view kManifestEntry = PENNORY_ODT_NAME("manifest:1.0", "file-entry");
inline constexpr std::string_view kManifestPath = PENNORY_ODT_NAME("manifest:1.0", "full-path");
inline constexpr std::string_view kManifestMediaType =
    PENNORY_ODT_NAME("manifest:1.0", "media-type");

#undef PENNORY_ODT_NAME

}  // namespace pennory::text::odt
