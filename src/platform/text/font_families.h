#pragma once
// The font families the font dialog lists: the Chinese faces under the names a Chinese
// writer knows, then the other installed families.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pennory::text {

// Listed first, in this order, whether or not a face of that name is installed: the
// platform draws each with the installed face it stands for.
inline constexpr std::array<std::u16string_view, 4> kChineseFontFamilies = {u"宋体", u"黑体",
                                                                            u"楷体", u"仿宋"};

// kChineseFontFamilies, then the installed families in the order given, each once; empty
// names and hidden families (a leading ".", the system's private faces) are left out.
std::vector<std::u16string> fontFamilyList(const std::vector<std::u16string>& installed);

}  // namespace pennory::text
