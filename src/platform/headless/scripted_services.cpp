#include "platform/headless/scripted_services.h"

namespace pennory::platform::headless {

namespace {

template <typename T>
T next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

std::optional<std::u16string> ScriptedDialogs::showOpen(const FileDialogRequest& request) {
    m_shown.push_back({Shown::Open, request, {}, 0, request.flags, {}});
    return next(m_files, std::optional<std::u16string>{});
}

std::optional<std::u16string> ScriptedDialogs::showSave(const FileDialogRequest& request) {
    m_shown.push_back({Shown::Save, request, {}, 0, request.flags, {}});
    return next(m_files, std::optional<std::u16string>{});
}

std::optional<text::Font> ScriptedDialogs::showFont(const text::Font& initial, int flags) {
    m_shown.push_back({Shown::Font, {}, initial, 0, flags, {}});
    return next(m_fonts, std::optional<text::Font>{});
}

std::optional<text::Colour> ScriptedDialogs::showColor(text::Colour initial, int flags) {
    m_shown.push_back({Shown::Colour, {}, {}, initial, flags, {}});
    return next(m_colours, std::optional<text::Colour>{});
}

std::optional<text::ParagraphFormat> ScriptedDialogs::showParagraph(
    const text::ParagraphFormat& initial) {
    m_shown.push_back({Shown::Paragraph, {}, {}, 0, 0, initial});
    return next(m_paragraphs, std::optional<text::ParagraphFormat>{});
}

int ScriptedMessages::msgBox(std::u16string_view prompt, int style, std::u16string_view title) {
    m_shown.push_back({std::u16string(prompt), style,
                       title.empty() ? std::u16string(u"Pennory") : std::u16string(title)});
    // Unscripted, the box answers as Esc would.
    int dismissed = vbCancel;
    if (msgButtons(style) == vbOKOnly) dismissed = vbOK;
    if (msgButtons(style) == vbYesNo && (style & vbDefaultButton2)) dismissed = vbNo;
    return next(m_answers, dismissed);
}

std::u16string ScriptedMessages::inputBox(std::u16string_view prompt, bool masked) {
    m_shown.push_back({std::u16string(prompt), 0, u"Pennory", true, masked});
    return next(m_inputs, std::u16string{});
}

bool MemoryClipboard::clear() {
    if (m_broken) return false;
    m_text.clear();
    m_styled.reset();
    m_image.reset();
    return true;
}

bool MemoryClipboard::setText(std::u16string_view text) {
    if (m_broken) return false;
    m_text = text;
    m_styled.reset();
    m_image.reset();
    return true;
}

bool MemoryClipboard::setTextWithStyled(std::u16string_view text, std::string_view styled) {
    if (!setText(text)) return false;
    m_styled = std::string(styled);
    return true;
}

std::optional<std::u16string> MemoryClipboard::text() {
    if (m_broken) return std::nullopt;
    return m_text;
}

std::optional<std::string> MemoryClipboard::styledBytes() {
    if (m_broken) return std::nullopt;
    return m_styled;
}

std::optional<std::string> MemoryClipboard::imageBytes() {
    if (m_broken) return std::nullopt;
    return m_image;
}

void HeadlessKeys::sendKeys(std::u16string_view keys) {
    m_sent.emplace_back(keys);
    auto* target = dynamic_cast<KeyTarget*>(m_focus.focused);
    if (!target) return;
    if (keys == u"^{z}") target->undo();
    if (keys == u"{delete}") target->deleteForward();
}

void RecordingShell::shellExecute(std::u16string_view operation, std::u16string_view file,
                                  std::u16string_view parameters,
                                  const std::filesystem::path& directory, int showCommand) {
    m_requests.push_back({std::u16string(operation), std::u16string(file),
                          std::u16string(parameters), directory, showCommand});
}

}  // namespace pennory::platform::headless
