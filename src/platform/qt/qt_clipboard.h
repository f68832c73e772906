#pragma once
// The system clipboard, plain text only.

#include "platform/services.h"

namespace pennory::platform::qt {

class QtClipboard : public ClipboardService {
public:
    bool clear() override;
    bool setText(std::u16string_view text) override;
    std::optional<std::u16string> text() override;
};

}  // namespace pennory::platform::qt
