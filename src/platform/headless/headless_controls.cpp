#include "platform/headless/headless_controls.h"

#include <algorithm>

#include "platform/files/picture_probe.h"

namespace pennory::platform::headless {

namespace {

constexpr int kTwipsPerPixel = 15;

// The text with [start, start + length) replaced by inserted. The paragraph where the edit
// starts keeps its format, as the desktop's editor keeps it, except that a removal from the
// very start of a paragraph into a later one leaves that later one's.
text::StyledText spliced(const text::StyledText& content, std::size_t start, std::size_t length,
                         const text::StyledText& inserted) {
    text::StyledText out = content.slice(0, start);
    const std::size_t first = content.paragraphAt(start);
    const std::size_t last = content.paragraphAt(start + length);
    const bool atParagraphStart = start == 0 || content.paragraphAt(start - 1) < first;
    if (last > first && atParagraphStart) {
        out.setParagraphFormat(out.paragraphs().size() - 1, content.paragraphs()[last]);
    }
    out.append(inserted);
    out.append(content.slice(start + length, SIZE_MAX));
    return out;
}

}  // namespace

// ---- TextBox

void HeadlessTextBox::setText(std::u16string_view text) {
    m_text = text;
    m_undo.clear();
}

void HeadlessTextBox::type(std::u16string_view text) {
    m_undo.push_back(m_text);
    m_text += text;
}

void HeadlessTextBox::undo() {
    if (m_undo.empty()) return;
    m_text = m_undo.back();
    m_undo.pop_back();
}

void HeadlessTextBox::deleteForward() {}  // the caret stands at the end of what was typed

// ---- RichTextBox

void HeadlessRichTextBox::setChangeHandlers(std::function<void(const TextEdit&)> edited,
                                            Callback selectionChanged) {
    m_edited = std::move(edited);
    m_selectionChanged = std::move(selectionChanged);
}

void HeadlessRichTextBox::edited(std::size_t start, std::size_t removed, std::u16string inserted) {
    if (m_edited) m_edited(TextEdit{start, removed, std::move(inserted)});
}

void HeadlessRichTextBox::selectionChanged() {
    if (m_selectionChanged) m_selectionChanged();
}

void HeadlessRichTextBox::setZoomPercent(int percent) {
    m_zoomPercent = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
}

void HeadlessRichTextBox::userZoom(ZoomRequest request) {
    if (m_zoomRequested) m_zoomRequested(request);
}

void HeadlessRichTextBox::setText(std::u16string_view text) {
    setContent(text::StyledText(std::u16string(text), m_default));
}

void HeadlessRichTextBox::setContent(const text::StyledText& content) {
    const std::size_t before = m_content.length();
    m_content = content;
    m_selStart = 0;
    m_selLength = 0;
    m_typingFormat.reset();
    m_undo.clear();
    edited(0, before, m_content.plainText());
    selectionChanged();
}

bool HeadlessRichTextBox::insideLineBreak(std::size_t position) const {
    return position > 0 && m_content.slice(position - 1, 2).plainText() == u"\r\n";
}

// A line break is one place for the caret, as in a desktop editor: a start inside it goes
// before it, an end inside it after it.
void HeadlessRichTextBox::setSelStart(std::size_t start) {
    m_selStart = std::min(start, m_content.length());
    if (insideLineBreak(m_selStart)) --m_selStart;
    m_selLength = 0;
    m_typingFormat.reset();
    selectionChanged();
}

void HeadlessRichTextBox::setSelLength(std::size_t length) {
    m_selLength = std::min(length, m_content.length() - m_selStart);
    if (insideLineBreak(m_selStart + m_selLength)) ++m_selLength;
    m_typingFormat.reset();
    selectionChanged();
}

std::u16string HeadlessRichTextBox::selText() const {
    return m_content.slice(m_selStart, m_selLength).plainText();
}

text::CharFormat HeadlessRichTextBox::selFormat() const {
    if (m_selLength == 0 && m_typingFormat) return *m_typingFormat;
    // At the caret, text typed next takes the format of the character before it; at the
    // start of a line with text, as in the desktop's editor, that of the line's first one.
    const bool startOfLineWithText = m_selStart > 0 && insideLineBreak(m_selStart - 1) &&
                                     m_selStart < m_content.length() &&
                                     !insideLineBreak(m_selStart + 1);
    const std::size_t at =
        m_selLength > 0 || startOfLineWithText ? m_selStart : (m_selStart > 0 ? m_selStart - 1 : 0);
    const text::StyledText one = m_content.slice(at, 1);
    text::CharFormat format = one.empty() ? m_default : one.runs().front().format;
    // Text typed beside a figure takes the format of the text around it, not the figure.
    format.figure = {};
    return format;
}

void HeadlessRichTextBox::insertFigure(const text::Figure& figure) {
    remember();
    text::CharFormat format = selFormat();
    format.figure = text::FigureRef(figure);
    const auto& paragraph = m_content.paragraphs()[m_content.paragraphAt(m_selStart)];
    const std::u16string object(1, text::kObjectCharacter);
    m_content =
        spliced(m_content, m_selStart, m_selLength, text::StyledText(object, format, paragraph));
    edited(m_selStart, m_selLength, object);
    m_selStart += 1;
    m_selLength = 0;
    m_typingFormat.reset();
    selectionChanged();
}

std::optional<std::size_t> HeadlessRichTextBox::selFigurePosition() const {
    if (m_selLength > 1 || (m_selLength == 0 && m_selStart == 0)) return std::nullopt;
    const std::size_t at = m_selLength == 1 ? m_selStart : m_selStart - 1;
    const text::StyledText one = m_content.slice(at, 1);
    if (one.empty() || !one.runs().front().format.figure) return std::nullopt;
    return at;
}

std::optional<text::Figure> HeadlessRichTextBox::selFigure() const {
    const auto at = selFigurePosition();
    if (!at) return std::nullopt;
    return *m_content.slice(*at, 1).runs().front().format.figure;
}

void HeadlessRichTextBox::setSelFigureWidth(text::FigureWidth width) {
    const auto at = selFigurePosition();
    if (!at) return;
    remember();
    text::StyledText one = m_content.slice(*at, 1);
    text::CharFormat format = one.runs().front().format;
    text::Figure figure = *format.figure;
    figure.width = width;
    format.figure = text::FigureRef(std::move(figure));
    text::StyledText changed(std::u16string(1, text::kObjectCharacter), format,
                             one.paragraphs().front());
    m_content = spliced(m_content, *at, 1, changed);
    edited(*at, 1, std::u16string(1, text::kObjectCharacter));
}

void HeadlessRichTextBox::setSelText(std::u16string_view text) {
    const text::CharFormat format = selFormat();
    // Line breaks typed start paragraphs in the format of the one they split.
    const auto& paragraph = m_content.paragraphs()[m_content.paragraphAt(m_selStart)];
    m_content = spliced(m_content, m_selStart, m_selLength,
                        text::StyledText(std::u16string(text), format, paragraph));
    edited(m_selStart, m_selLength, std::u16string(text));
    m_selStart += text.size();
    m_selLength = 0;
    m_typingFormat.reset();
    selectionChanged();
}

bool HeadlessRichTextBox::applyReplacements(std::vector<text::Replacement> replacements) {
    const std::size_t length = m_content.length();
    if (!text::orderReplacements(replacements, length)) return false;
    if (replacements.empty()) return true;
    for (auto& r : replacements) {
        if (r.format) continue;
        const auto source = text::formatSource(r, length);
        r.format = source ? m_content.slice(*source, 1).runs().front().format : m_default;
    }
    remember();
    const std::size_t start = replacements.front().start;
    const std::size_t removed = replacements.back().start + replacements.back().length - start;
    const text::StyledText span = m_content.slice(start, removed);
    const text::StyledText inserted = text::applyReplacements(span, start, replacements);
    m_content = spliced(m_content, start, removed, inserted);
    edited(start, removed, inserted.plainText());

    const std::size_t selStart = text::positionAfter(m_selStart, replacements);
    const std::size_t selEnd = text::positionAfter(m_selStart + m_selLength, replacements);
    if (selStart != m_selStart || selEnd - selStart != m_selLength) {
        m_selStart = selStart;
        m_selLength = selEnd - selStart;
        m_typingFormat.reset();
        selectionChanged();
    }
    return true;
}

template <typename Change>
void HeadlessRichTextBox::changeSelectionFormat(Change change) {
    if (m_selLength == 0) {
        auto format = selFormat();
        change(format);
        m_typingFormat = format;
        return;
    }
    text::StyledText changed;
    const text::StyledText selected = m_content.slice(m_selStart, m_selLength);
    for (auto run : selected.runs()) {
        change(run.format);
        changed.append(run.text, run.format);
    }
    for (std::size_t i = 0; i < selected.paragraphs().size(); ++i) {
        changed.setParagraphFormat(i, selected.paragraphs()[i]);
    }
    m_content = spliced(m_content, m_selStart, m_selLength, changed);
    // As the desktop's editor does, a change of format is told as an edit of the same text.
    edited(m_selStart, m_selLength, changed.plainText());
}

void HeadlessRichTextBox::setSelFont(const text::Font& font) {
    changeSelectionFormat([&](text::CharFormat& f) { static_cast<text::Font&>(f) = font; });
}
void HeadlessRichTextBox::setSelColour(text::Colour colour) {
    changeSelectionFormat([&](text::CharFormat& f) { f.colour = colour; });
}

text::ParagraphFormat HeadlessRichTextBox::selParagraphFormat() const {
    return m_content.paragraphs()[m_content.paragraphAt(m_selStart)];
}

void HeadlessRichTextBox::setSelParagraphFormat(const text::ParagraphFormat& format) {
    const std::size_t first = m_content.paragraphAt(m_selStart);
    const std::size_t last = m_content.paragraphAt(m_selStart + m_selLength);
    remember();
    for (std::size_t i = first; i <= last; ++i) m_content.setParagraphFormat(i, format);
    // Reported as the desktop's editor reports it: the characters of those paragraphs,
    // put back as they were.
    const std::u16string plain = m_content.plainText();
    std::size_t from = 0;
    std::size_t paragraph = 0;
    while (paragraph < first) {
        from = plain.find(u"\r\n", from) + 2;
        ++paragraph;
    }
    std::size_t to = from;
    for (;;) {
        const std::size_t end = plain.find(u"\r\n", to);
        if (paragraph == last || end == std::u16string::npos) {
            to = end == std::u16string::npos ? plain.size() : end;
            break;
        }
        to = end + 2;
        ++paragraph;
    }
    edited(from, to - from, plain.substr(from, to - from));
}

void HeadlessRichTextBox::remember() { m_undo.push_back({m_content, m_selStart, m_selLength}); }

void HeadlessRichTextBox::type(std::u16string_view text) {
    remember();
    setSelText(text);
}

void HeadlessRichTextBox::undo() {
    if (m_undo.empty()) return;
    const std::size_t before = m_content.length();
    m_content = m_undo.back().content;
    edited(0, before, m_content.plainText());
    m_selStart = m_undo.back().selStart;
    m_selLength = m_undo.back().selLength;
    m_undo.pop_back();
    selectionChanged();
}

void HeadlessRichTextBox::deleteForward() {
    const std::size_t length = m_content.length();
    if (m_selLength == 0 && m_selStart >= length) return;
    remember();
    std::size_t count = m_selLength;
    if (count == 0) {
        // A line break goes as a whole, like a surrogate pair.
        const auto next = m_content.slice(m_selStart, 2).plainText();
        const bool pair = next.size() == 2 && ((next[0] == u'\r' && next[1] == u'\n') ||
                                               (next[0] >= 0xD800 && next[0] < 0xDC00 &&
                                                next[1] >= 0xDC00 && next[1] < 0xE000));
        count = pair ? 2 : 1;
    }
    m_content = spliced(m_content, m_selStart, count, {});
    edited(m_selStart, count, {});
    m_selLength = 0;
    selectionChanged();
}

// ---- ScrollBar

void HeadlessScrollBar::setValue(int value) { m_value = std::clamp(value, 0, std::max(0, m_max)); }

void HeadlessScrollBar::setMax(int max) {
    m_max = max;
    setValue(m_value);
}

void HeadlessScrollBar::userSetValue(int value) {
    setValue(value);
    if (m_changed) m_changed();
}

void HeadlessScrollBar::userDrag(int value) {
    setValue(value);
    if (m_scrolled) m_scrolled();
}

// ---- Image

PictureResult HeadlessImage::loadPicture(const std::filesystem::path& path) {
    PictureResult probed = files::probePictureFile(path);
    if (!probed.ok()) {
        clearPicture();
        return probed;
    }
    m_hasPicture = true;
    auto g = geometry();
    g.width = probed.widthPx * kTwipsPerPixel;
    g.height = probed.heightPx * kTwipsPerPixel;
    setGeometry(g);
    return probed;
}

void HeadlessImage::clearPicture() {
    m_hasPicture = false;
    auto g = geometry();
    g.width = 0;
    g.height = 0;
    setGeometry(g);
}

}  // namespace pennory::platform::headless
