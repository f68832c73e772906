#pragma once
// The style hierarchy of a WordprocessingML document and what it makes of a run's format:
// document defaults (w:docDefaults), then the paragraph style and its w:basedOn ancestors
// (the default paragraph style where the paragraph names none), then the character style
// and its ancestors, then the run's direct formatting. A paragraph style named as a run's
// character style stands for its linked character style (w:link), and the other way round.
// Theme fonts come from the theme's minor and major font schemes.

#include <map>
#include <string>
#include <string_view>

#include "platform/text/docx_paragraph_properties.h"
#include "platform/text/docx_run_properties.h"
#include "platform/text/styled_text.h"

namespace pennory::text::docx {

struct ThemeFonts {
    struct Scheme {
        std::u16string latin;
        std::u16string eastAsian;  // a:ea, or the a:font for script "Hans" where a:ea is empty
    };
    Scheme major, minor;
};

// The font schemes of a theme part; empty names where the part has none or is not XML.
ThemeFonts readThemeFonts(std::string_view themeXml);

// A run's format with its three fonts, before the run's text picks one per character.
struct ResolvedFormat {
    CharFormat format;                    // everything but the font name
    std::array<std::u16string, 3> fonts;  // indexed by FontSlot
    bool hintEastAsia = false;

    const std::u16string& fontFor(FontSlot slot) const {
        return fonts[static_cast<std::size_t>(slot)];
    }
    bool operator==(const ResolvedFormat&) const = default;
};

class DocxStyles {
public:
    DocxStyles() = default;
    // False when stylesXml is not well-formed XML; the styles read up to there stay.
    bool read(std::string_view stylesXml);
    void setTheme(ThemeFonts theme) { m_theme = std::move(theme); }

    // Document defaults, then the paragraph style, then the character style (either id may be
    // empty or unknown).
    const RunProperties& styled(const std::string& paragraphStyle,
                                const std::string& characterStyle);
    // props (styled() with direct formatting laid over it) as a format. What no level sets
    // comes from plain: its font for every slot, its size, flags and colour.
    ResolvedFormat resolve(const RunProperties& props, const CharFormat& plain) const;
    // A paragraph's format: document defaults (w:pPrDefault), then its style and the style's
    // ancestors (the default paragraph style where it names none), then direct.
    ParagraphFormat paragraphFormat(const std::string& paragraphStyle,
                                    const ParagraphProperties& direct) const;

    struct Style {
        bool paragraph = true;
        std::string basedOn;
        std::string link;
        RunProperties props;
        ParagraphProperties paragraphProps;
    };

private:
    friend class StylesHandler;
    // The style's properties with its ancestors' under them.
    RunProperties chain(const std::string& id, bool paragraph) const;
    std::u16string fontName(const FontChoice& choice) const;

    RunProperties m_defaults;
    ParagraphProperties m_paragraphDefaults;
    std::map<std::string, Style, std::less<>> m_styles;
    std::string m_defaultParagraph;
    ThemeFonts m_theme;
    std::map<std::string, RunProperties, std::less<>> m_cache;
};

}  // namespace pennory::text::docx
