#include "app/common_dialog.h"

namespace pennory::app {

std::vector<FileFilter> parseFilter(std::u16string_view filter) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find(u'|', start);
        const std::size_t end = bar == std::u16string_view::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        if (bar == std::u16string_view::npos) break;
        start = bar + 1;
    }
    std::vector<FileFilter> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) continue;
        entries.push_back({std::u16string(parts[i]), std::u16string(parts[i + 1])});
    }
    return entries;
}

FileDialogRequest CommonDialog::request() const {
    return {DialogTitle, parseFilter(Filter), FilterIndex, Flags, FileName};
}

static bool takeFileName(const std::optional<std::u16string>& chosen, std::u16string& fileName) {
    if (!chosen || chosen->empty()) return false;
    fileName = *chosen;
    return true;
}

bool CommonDialog::ShowOpen() { return takeFileName(m_service.showOpen(request()), FileName); }

bool CommonDialog::ShowSave() { return takeFileName(m_service.showSave(request()), FileName); }

bool CommonDialog::ShowFont() {
    const auto chosen = m_service.showFont(Font, Flags);
    if (!chosen) return false;
    // Without the effects section the dialog offers no underline or strikethrough, so
    // those values stay as they were.
    const bool underline = Font.underline;
    const bool strikethrough = Font.strikethrough;
    Font = *chosen;
    if (!(Flags & platform::kFontEffects)) {
        Font.underline = underline;
        Font.strikethrough = strikethrough;
    }
    return true;
}

bool CommonDialog::ShowColor() {
    const auto chosen = m_service.showColor(Color, Flags);
    if (!chosen) return false;
    Color = *chosen;
    return true;
}

}  // namespace pennory::app
