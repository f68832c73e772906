#include "platform/text/font_sizes.h"

#include <charconv>
#include <cmath>

namespace pennory::text {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Full-width digits and the full-width stop as their ASCII forms; 0 for anything else.
char asciiOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return static_cast<char>(c);
    if (c >= u'０' && c <= u'９') return static_cast<char>('0' + (c - u'０'));
    if (c == u'.' || c == u'．') return '.';
    return 0;
}

std::optional<double> parsePoints(std::u16string_view text) {
    std::string ascii;
    int stops = 0;
    for (char16_t c : text) {
        const char a = asciiOf(c);
        if (!a) return std::nullopt;
        if (a == '.') ++stops;
        ascii += a;
        if (ascii.size() > 16) return std::nullopt;  // no size needs so many digits
    }
    if (stops > 1 || ascii.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    // from_chars, unlike strtod, does not follow the locale's decimal point.
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<float> parseFontSize(std::u16string_view typed) {
    const std::u16string_view text = trimmed(typed);
    for (const auto& size : kChineseFontSizes) {
        if (text == size.name) return size.points;
    }
    const auto points = parsePoints(text);
    if (!points) return std::nullopt;
    const double halves = std::round(*points * 2) / 2;
    if (halves < kMinFontSize || halves > kMaxFontSize) return std::nullopt;
    return static_cast<float>(halves);
}

std::u16string fontSizeText(float points) {
    // The shortest form that reads back as the same float, whatever the locale.
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, points);
    if (error != std::errc()) return {};
    return std::u16string(buffer, end);
}

std::vector<std::u16string> fontSizeList() {
    std::vector<std::u16string> out;
    for (const auto& size : kChineseFontSizes) out.emplace_back(size.name);
    for (float points : kListedPointSizes) out.push_back(fontSizeText(points));
    return out;
}

}  // namespace pennory::text
