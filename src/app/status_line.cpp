#include "app/status_line.h"

namespace pennory::app {

namespace {

std::u16string number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string statusText(const input::TextCount& total,
                          const std::optional<input::TextCount>& selected) {
    std::u16string text;
    if (selected) text += u"选定 " + number(selected->words) + u" / ";
    text +=
        u"字数 " + number(total.words) + u"  字符 " + number(total.characters) + u"（不计空格）";
    return text;
}

std::u16string zoomText(int percent) {
    return u"缩放 " + number(static_cast<std::size_t>(percent)) + u"%";
}

std::u16string statusLine(std::u16string_view main, std::u16string_view zoom,
                          std::u16string_view note) {
    std::u16string line(main);
    for (auto part : {zoom, note}) {
        if (part.empty()) continue;
        if (!line.empty()) line += u"  ";
        line += part;
    }
    return line;
}

std::u16string recoveryFailureText(std::u16string_view reason) {
    return u"恢复副本无法保存：" + std::u16string(reason);
}

}  // namespace pennory::app
