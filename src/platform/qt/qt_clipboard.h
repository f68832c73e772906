#pragma once
// The system clipboard: plain text, Pennory's own form of a passage beside it, and pictures
// read as file bytes.

#include "platform/services.h"

namespace pennory::platform::qt {

// The MIME type under which Pennory's own form of a passage travels beside its text.
inline constexpr char kStyledMimeType[] = "application/x-pennory-rtf";

class QtClipboard : public ClipboardService {
public:
    bool clear() override;
    bool setText(std::u16string_view text) override;
    bool setTextWithStyled(std::u16string_view text, std::string_view styled) override;
    std::optional<std::u16string> text() override;
    std::optional<std::string> styledBytes() override;
    // The offered image/png bytes as they are, else the clipboard's image saved as PNG.
    std::optional<std::string> imageBytes() override;
};

}  // namespace pennory::platform::qt
