#include "platform/text/rtf_keywords.h"

#include <algorithm>
#include <array>

namespace pennory::text {
namespace {

struct Entry {
    std::string_view word;
    RtfKeyword keyword;
};

using K = RtfKeyword;

// Sorted by word (checked once below).
constexpr Entry kEntries[] = {
    {"ab", K::AssocBold},
    {"af", K::AssocFont},
    {"afs", K::AssocFontSize},
    {"aftncn", K::SkipDestination},
    {"aftnsep", K::SkipDestination},
    {"aftnsepc", K::SkipDestination},
    {"ai", K::AssocItalic},
    {"annotation", K::CommentDestination},
    {"ansi", K::Ansi},
    {"ansicpg", K::AnsiCodePage},
    {"atnauthor", K::SkipDestination},
    {"atndate", K::SkipDestination},
    {"atnid", K::SkipDestination},
    {"atnref", K::SkipDestination},
    {"atrfend", K::SkipDestination},
    {"atrfstart", K::SkipDestination},
    {"author", K::SkipDestination},
    {"b", K::Bold},
    {"background", K::SkipDestination},
    {"bkmkend", K::SkipDestination},
    {"bkmkstart", K::SkipDestination},
    {"blue", K::Blue},
    {"bullet", K::Bullet},
    {"buptim", K::SkipDestination},
    {"category", K::SkipDestination},
    {"cell", K::Cell},
    {"cf", K::ColourIndex},
    {"colorschememapping", K::SkipDestination},
    {"colortbl", K::ColourTable},
    {"comment", K::SkipDestination},
    {"company", K::SkipDestination},
    {"cpg", K::FontCodePage},
    {"creatim", K::SkipDestination},
    {"cufi", K::FirstIndentChars},
    {"culi", K::LeftIndentChars},
    {"curi", K::RightIndentChars},
    {"datastore", K::SkipDestination},
    {"dbch", K::DoubleByte},
    {"deff", K::DefaultFont},
    {"do", K::SkipDestination},
    {"doccomm", K::SkipDestination},
    {"docvar", K::SkipDestination},
    {"emdash", K::EmDash},
    {"emspace", K::EmSpace},
    {"endash", K::EnDash},
    {"enspace", K::EnSpace},
    {"f", K::Font},
    {"falt", K::SkipDestination},
    {"fcharset", K::FontCharset},
    {"fi", K::FirstIndent},
    {"field", K::Field},
    {"filetbl", K::SkipDestination},
    {"fldinst", K::SkipDestination},
    {"fldrslt", K::FieldResult},
    {"fname", K::SkipDestination},
    {"fontemb", K::SkipDestination},
    {"fontfile", K::SkipDestination},
    {"fonttbl", K::FontTable},
    {"footer", K::HeaderFooterDestination},
    {"footerf", K::HeaderFooterDestination},
    {"footerl", K::HeaderFooterDestination},
    {"footerr", K::HeaderFooterDestination},
    {"footnote", K::FootnoteDestination},
    {"fs", K::FontSize},
    {"ftncn", K::SkipDestination},
    {"ftnsep", K::SkipDestination},
    {"ftnsepc", K::SkipDestination},
    {"generator", K::SkipDestination},
    {"green", K::Green},
    {"header", K::HeaderFooterDestination},
    {"headerf", K::HeaderFooterDestination},
    {"headerl", K::HeaderFooterDestination},
    {"headerr", K::HeaderFooterDestination},
    {"hich", K::HighAnsi},
    {"hlinkbase", K::SkipDestination},
    {"i", K::Italic},
    {"info", K::SkipDestination},
    {"keywords", K::SkipDestination},
    {"latentstyles", K::SkipDestination},
    {"ldblquote", K::LeftDoubleQuote},
    {"li", K::LeftIndent},
    {"lin", K::LeftIndent},
    {"line", K::Line},
    {"listoverridetable", K::SkipDestination},
    {"listtable", K::SkipDestination},
    {"loch", K::LowAnsi},
    {"lquote", K::LeftQuote},
    {"ltrch", K::LeftToRightRun},
    {"ltrmark", K::LeftToRightMark},
    {"mac", K::Mac},
    {"manager", K::SkipDestination},
    {"nestcell", K::Cell},
    {"nestrow", K::Row},
    {"nonshppict", K::PictureDestination},
    {"object", K::ObjectDestination},
    {"operator", K::SkipDestination},
    {"page", K::Par},
    {"panose", K::SkipDestination},
    {"par", K::Par},
    {"pard", K::ParagraphDefault},
    {"pc", K::Pc},
    {"pca", K::Pca},
    {"pgdsctbl", K::SkipDestination},
    {"pict", K::PictureDestination},
    {"plain", K::Plain},
    {"pn", K::SkipDestination},
    {"printim", K::SkipDestination},
    {"private", K::SkipDestination},
    {"qc", K::AlignCentre},
    {"qd", K::AlignJustify},
    {"qj", K::AlignJustify},
    {"ql", K::AlignLeft},
    {"qmspace", K::QmSpace},
    {"qr", K::AlignRight},
    {"rdblquote", K::RightDoubleQuote},
    {"red", K::Red},
    {"revtbl", K::SkipDestination},
    {"revtim", K::SkipDestination},
    {"ri", K::RightIndent},
    {"rin", K::RightIndent},
    {"row", K::Row},
    {"rquote", K::RightQuote},
    {"rsidtbl", K::SkipDestination},
    {"rtlch", K::RightToLeftRun},
    {"rtlmark", K::RightToLeftMark},
    {"rxe", K::SkipDestination},
    {"sa", K::SpaceAfter},
    {"sb", K::SpaceBefore},
    {"sect", K::Par},
    {"shp", K::PictureDestination},
    {"shppict", K::PictureDestination},
    {"sl", K::LineSpacing},
    {"slmult", K::LineSpacingMultiple},
    {"strike", K::Strike},
    {"striked", K::Strike},
    {"stylesheet", K::SkipDestination},
    {"subject", K::SkipDestination},
    {"tab", K::Tab},
    {"tc", K::SkipDestination},
    {"template", K::SkipDestination},
    {"themedata", K::SkipDestination},
    {"title", K::SkipDestination},
    {"txe", K::SkipDestination},
    {"u", K::Unicode},
    {"uc", K::UnicodeSkip},
    {"ud", K::Ud},
    {"ul", K::Underline},
    {"uld", K::Underline},
    {"uldash", K::Underline},
    {"uldashd", K::Underline},
    {"uldashdd", K::Underline},
    {"uldb", K::Underline},
    {"ulhwave", K::Underline},
    {"ulldash", K::Underline},
    {"ulnone", K::UnderlineNone},
    {"ulth", K::Underline},
    {"ulthd", K::Underline},
    {"ulthdash", K::Underline},
    {"ulthdashd", K::Underline},
    {"ulthdashdd", K::Underline},
    {"ulthldash", K::Underline},
    {"ululdbwave", K::Underline},
    {"ulw", K::Underline},
    {"ulwave", K::Underline},
    {"upr", K::Upr},
    {"userprops", K::SkipDestination},
    {"xe", K::SkipDestination},
    {"xmlnstbl", K::SkipDestination},
    {"zwj", K::ZeroWidthJoiner},
    {"zwnj", K::ZeroWidthNonJoiner},
};

constexpr bool sorted() {
    for (std::size_t i = 1; i < std::size(kEntries); ++i) {
        if (!(kEntries[i - 1].word < kEntries[i].word)) return false;
    }
    return true;
}
static_assert(sorted(), "keep kEntries sorted by word");

}  // namespace

RtfKeyword lookupRtfKeyword(std::string_view word) {
    // The words of every Chinese character in typical files come first.
    if (word.size() == 1) {
        if (word[0] == 'u') return K::Unicode;
        if (word[0] == 'f') return K::Font;
        if (word[0] == 'b') return K::Bold;
        if (word[0] == 'i') return K::Italic;
    }
    const auto* it =
        std::lower_bound(std::begin(kEntries), std::end(kEntries), word,
                         [](const Entry& e, std::string_view w) { return e.word < w; });
    if (it != std::end(kEntries) && it->word == word) return it->keyword;
    return K::Unknown;
}

}  // namespace pennory::text
