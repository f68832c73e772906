#include "platform/text/font_families.h"

#include <algorithm>

namespace pennory::text {

std::vector<std::u16string> fontFamilyList(const std::vector<std::u16string>& installed) {
    std::vector<std::u16string> out(kChineseFontFamilies.begin(), kChineseFontFamilies.end());
    for (const auto& family : installed) {
        if (family.empty() || family.front() == u'.') continue;
        if (std::find(out.begin(), out.end(), family) != out.end()) continue;
        out.push_back(family);
    }
    return out;
}

}  // namespace pennory::text
