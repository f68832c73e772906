#include "platform/qt/qt_dialogs.h"

#include "platform/qt/qt_colour_dialog.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_font_dialog.h"
#include "platform/qt/qt_paragraph_dialog.h"

namespace pennory::platform::qt {

std::optional<std::u16string> QtDialogs::showOpen(const FileDialogRequest& request) {
    return showFileDialog(m_owner, request, FileDialogMode::Open);
}

std::optional<std::u16string> QtDialogs::showSave(const FileDialogRequest& request) {
    return showFileDialog(m_owner, request, FileDialogMode::Save);
}

std::optional<text::Font> QtDialogs::showFont(const text::Font& initial, int flags) {
    return showFontDialog(m_owner, initial, flags);
}

std::optional<text::ParagraphFormat> QtDialogs::showParagraph(
    const text::ParagraphFormat& initial) {
    return showParagraphDialog(m_owner, initial);
}

std::optional<text::Colour> QtDialogs::showColor(text::Colour initial, int /*flags*/) {
    return showColourDialog(m_owner, initial);
}

}  // namespace pennory::platform::qt
