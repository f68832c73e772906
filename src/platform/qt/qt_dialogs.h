#pragma once
// The common dialog on Qt: Qt's own (non-native) file and colour dialogs, and Pennory's font
// dialog, each modal over the owner.

#include <QWidget>

#include "platform/services.h"

namespace pennory::platform::qt {

class QtDialogs : public DialogService {
public:
    explicit QtDialogs(QWidget* owner) : m_owner(owner) {}

    std::optional<std::u16string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::u16string> showSave(const FileDialogRequest& request) override;
    // flags as the font dialog's: without 256 (effects) the effects group is hidden and the
    // choice keeps the initial underline and strikethrough.
    std::optional<text::Font> showFont(const text::Font& initial, int flags) override;
    std::optional<text::Colour> showColor(text::Colour initial, int flags) override;
    std::optional<text::ParagraphFormat> showParagraph(
        const text::ParagraphFormat& initial) override;

private:
    QWidget* m_owner;
};

}  // namespace pennory::platform::qt
