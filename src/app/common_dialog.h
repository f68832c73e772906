#pragma once
// The window's one shared common dialog. Its settings keep their values between uses: each
// command sets only the settings it needs, shows a dialog and reads the outcome back.

#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"

namespace pennory::app {

using platform::DialogService;
using platform::FileDialogRequest;
using platform::FileFilter;

// "label|pattern|label|pattern|" into entries; a trailing "|" and a label without a pattern
// are ignored.
std::vector<FileFilter> parseFilter(std::u16string_view filter);

class CommonDialog {
public:
    explicit CommonDialog(DialogService& service) : m_service(service) {}

    std::u16string FileName;
    std::u16string DialogTitle;
    std::u16string Filter;
    int FilterIndex = 0;
    int Flags = 0;

    // The font dialog's name, size, bold, italic, strikethrough and underline.
    text::Font Font;
    text::Colour Color = 0;  // black until a colour is chosen

    // A confirmed dialog stores the choice and returns true. A cancelled one changes nothing
    // and returns false. A file dialog counts as confirmed only with a non-empty name.
    bool ShowOpen();
    bool ShowSave();
    bool ShowFont();
    bool ShowColor();

private:
    FileDialogRequest request() const;

    DialogService& m_service;
};

}  // namespace pennory::app
