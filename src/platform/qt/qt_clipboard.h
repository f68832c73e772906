#pragma once
// The system clipboard: plain text, and pictures read as file bytes.

#include "platform/services.h"

namespace pennory::platform::qt {

class QtClipboard : public ClipboardService {
public:
    bool clear() override;
    bool setText(std::u16string_view text) override;
    std::optional<std::u16string> text() override;
    // The offered image/png bytes as they are, else the clipboard's image saved as PNG.
    std::optional<std::string> imageBytes() override;
};

}  // namespace pennory::platform::qt
