#include "platform/text/docx_styles.h"

#include <vector>

#include "platform/text/docx_names.h"
#include "platform/text/utf8.h"

namespace pennory::text::docx {
namespace {

// Deeper w:basedOn chains are broken files (or loops); Word itself stops far earlier.
constexpr int kMaxChain = 64;

class ThemeHandler : public XmlHandler {
public:
    explicit ThemeHandler(ThemeFonts& fonts) : m_fonts(fonts) {}

    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        const std::string_view local = localIn(name, kDrawingMain);
        if (local == "majorFont") {
            m_scheme = &m_fonts.major;
        } else if (local == "minorFont") {
            m_scheme = &m_fonts.minor;
        } else if (m_scheme && local == "latin") {
            m_scheme->latin = utf8::toUtf16(attribute(attributes, "typeface"));
        } else if (m_scheme && local == "ea") {
            const std::u16string ea = utf8::toUtf16(attribute(attributes, "typeface"));
            if (!ea.empty()) m_scheme->eastAsian = ea;
        } else if (m_scheme && local == "font" && attribute(attributes, "script") == "Hans" &&
                   m_scheme->eastAsian.empty()) {
            m_scheme->eastAsian = utf8::toUtf16(attribute(attributes, "typeface"));
        }
    }
    void endElement(std::string_view name) override {
        const std::string_view local = localIn(name, kDrawingMain);
        if (local == "majorFont" || local == "minorFont") m_scheme = nullptr;
    }
    void characters(std::string_view) override {}

private:
    ThemeFonts& m_fonts;
    ThemeFonts::Scheme* m_scheme = nullptr;
};

}  // namespace

ThemeFonts readThemeFonts(std::string_view themeXml) {
    ThemeFonts fonts;
    ThemeHandler handler(fonts);
    if (!readXml(themeXml, handler)) return {};
    return fonts;
}

// Reads w:docDefaults and w:style; nothing else of styles.xml bears on a run's format here.
class StylesHandler : public XmlHandler {
public:
    explicit StylesHandler(DocxStyles& styles) : m_styles(styles) {}

    void startElement(std::string_view name, const std::vector<XmlAttribute>& attributes) override {
        const std::string_view local = wordLocal(name);
        const Tag parent = m_path.empty() ? Tag::Other : m_path.back();
        Tag tag = Tag::Other;
        if (local == "rPrDefault") {
            tag = Tag::RunDefaults;
        } else if (local == "style" && m_path.size() == 1) {
            tag = Tag::Style;
            m_style = DocxStyles::Style{};
            m_style.paragraph = wordAttribute(attributes, "type") != "character";
            m_id = wordAttribute(attributes, "styleId");
            const std::string_view isDefault = wordAttribute(attributes, "default");
            m_isDefault = isDefault == "1" || isDefault == "true" || isDefault == "on";
            m_isStyle = wordAttribute(attributes, "type").empty() ||
                        wordAttribute(attributes, "type") == "paragraph" ||
                        wordAttribute(attributes, "type") == "character";
        } else if (local == "pPrDefault") {
            tag = Tag::ParagraphDefaults;
        } else if (local == "pPr" && (parent == Tag::ParagraphDefaults || parent == Tag::Style)) {
            tag = parent == Tag::Style ? Tag::StyleParagraphProps : Tag::DefaultParagraphProps;
        } else if (parent == Tag::StyleParagraphProps) {
            readParagraphProperty(local, attributes, m_style.paragraphProps);
        } else if (parent == Tag::DefaultParagraphProps) {
            readParagraphProperty(local, attributes, m_styles.m_paragraphDefaults);
        } else if (local == "rPr" && (parent == Tag::RunDefaults || parent == Tag::Style)) {
            tag = parent == Tag::Style ? Tag::StyleRunProps : Tag::DefaultRunProps;
        } else if (parent == Tag::Style && local == "basedOn") {
            m_style.basedOn = wordAttribute(attributes, "val");
        } else if (parent == Tag::Style && local == "link") {
            m_style.link = wordAttribute(attributes, "val");
        } else if (parent == Tag::StyleRunProps) {
            readRunProperty(local, attributes, m_style.props);
        } else if (parent == Tag::DefaultRunProps) {
            readRunProperty(local, attributes, m_styles.m_defaults);
        }
        m_path.push_back(tag);
    }
    void endElement(std::string_view) override {
        if (m_path.back() == Tag::Style && m_isStyle && !m_id.empty()) {
            if (m_isDefault && m_style.paragraph && m_styles.m_defaultParagraph.empty())
                m_styles.m_defaultParagraph = m_id;
            m_styles.m_styles.insert_or_assign(m_id, std::move(m_style));
        }
        m_path.pop_back();
    }
    void characters(std::string_view) override {}

private:
    enum class Tag {
        Other,
        RunDefaults,
        DefaultRunProps,
        ParagraphDefaults,
        DefaultParagraphProps,
        Style,
        StyleRunProps,
        StyleParagraphProps,
    };
    DocxStyles& m_styles;
    std::vector<Tag> m_path;
    DocxStyles::Style m_style;
    std::string m_id;
    bool m_isDefault = false;
    bool m_isStyle = false;
};

bool DocxStyles::read(std::string_view stylesXml) {
    StylesHandler handler(*this);
    m_cache.clear();
    return readXml(stylesXml, handler);
}

RunProperties DocxStyles::chain(const std::string& id, bool paragraph) const {
    const Style* style = nullptr;
    if (const auto it = m_styles.find(id); it != m_styles.end()) style = &it->second;
    if (style && style->paragraph != paragraph && !style->link.empty()) {
        if (const auto it = m_styles.find(style->link); it != m_styles.end()) style = &it->second;
    }
    std::vector<const Style*> levels;
    while (style && levels.size() < kMaxChain) {
        levels.push_back(style);
        const auto it = m_styles.find(style->basedOn);
        style = style->basedOn.empty() || it == m_styles.end() ? nullptr : &it->second;
    }
    RunProperties props;
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        props.overlay((*level)->props);
    return props;
}

const RunProperties& DocxStyles::styled(const std::string& paragraphStyle,
                                        const std::string& characterStyle) {
    std::string key = paragraphStyle;
    key += '\n';
    key += characterStyle;
    if (const auto it = m_cache.find(key); it != m_cache.end()) return it->second;
    RunProperties props = m_defaults;
    props.overlay(chain(paragraphStyle.empty() ? m_defaultParagraph : paragraphStyle, true));
    if (!characterStyle.empty()) props.overlay(chain(characterStyle, false));
    return m_cache.emplace(std::move(key), std::move(props)).first->second;
}

ParagraphFormat DocxStyles::paragraphFormat(const std::string& paragraphStyle,
                                            const ParagraphProperties& direct) const {
    ParagraphProperties props = m_paragraphDefaults;
    const Style* style = nullptr;
    const std::string& id = paragraphStyle.empty() ? m_defaultParagraph : paragraphStyle;
    if (const auto it = m_styles.find(id); it != m_styles.end()) style = &it->second;
    std::vector<const Style*> levels;
    while (style && style->paragraph && levels.size() < kMaxChain) {
        levels.push_back(style);
        const auto it = m_styles.find(style->basedOn);
        style = style->basedOn.empty() || it == m_styles.end() ? nullptr : &it->second;
    }
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        props.overlay((*level)->paragraphProps);
    props.overlay(direct);
    return props.format();
}

std::u16string DocxStyles::fontName(const FontChoice& choice) const {
    if (choice.theme.empty()) return choice.name;
    const bool major = choice.theme.starts_with("major");
    const ThemeFonts::Scheme& scheme = major ? m_theme.major : m_theme.minor;
    std::u16string name = choice.theme.ends_with("EastAsia") && !scheme.eastAsian.empty()
                              ? scheme.eastAsian
                              : scheme.latin;
    return name.empty() ? choice.name : name;
}

ResolvedFormat DocxStyles::resolve(const RunProperties& props, const CharFormat& plain) const {
    ResolvedFormat out;
    out.format = plain;
    for (std::size_t slot = 0; slot < out.fonts.size(); ++slot) {
        if (props.fonts[slot]) out.fonts[slot] = fontName(*props.fonts[slot]);
    }
    // A run naming only some of its fonts: the Western ones stand in for each other, and
    // plain's font for whatever is still missing.
    auto& ascii = out.fonts[static_cast<std::size_t>(FontSlot::Ascii)];
    auto& highAnsi = out.fonts[static_cast<std::size_t>(FontSlot::HighAnsi)];
    if (ascii.empty()) ascii = highAnsi;
    if (highAnsi.empty()) highAnsi = ascii;
    for (auto& font : out.fonts) {
        if (font.empty()) font = plain.fontName;
    }
    out.hintEastAsia = props.hintEastAsia.value_or(false);
    if (props.halfPoints) out.format.sizePt = static_cast<float>(*props.halfPoints) / 2.0f;
    out.format.bold = props.bold.value_or(plain.bold);
    out.format.italic = props.italic.value_or(plain.italic);
    out.format.underline = props.underline.value_or(plain.underline);
    out.format.strikethrough =
        props.strike || props.doubleStrike
            ? props.strike.value_or(false) || props.doubleStrike.value_or(false)
            : plain.strikethrough;
    out.format.colour = props.colour.value_or(plain.colour);
    return out;
}

}  // namespace pennory::text::docx
