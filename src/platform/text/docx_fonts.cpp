#include "platform/text/docx_fonts.h"

#include <array>
#include <utility>

namespace pennory::text::docx {
namespace {

constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 10> kChineseFaces = {{
    {u"宋体", u"SimSun"},
    {u"黑体", u"SimHei"},
    {u"楷体", u"KaiTi"},
    {u"仿宋", u"FangSong"},
    {u"新宋体", u"NSimSun"},
    {u"微软雅黑", u"Microsoft YaHei"},
    {u"楷体_GB2312", u"KaiTi_GB2312"},
    {u"仿宋_GB2312", u"FangSong_GB2312"},
    {u"隶书", u"LiSu"},
    {u"幼圆", u"YouYuan"},
}};

// The characters Chinese and Western text share, whose font the run's hint decides.
bool isAmbiguous(char16_t c) {
    switch (c) {
        case 0x00A7:
        case 0x00A8:
        case 0x00B0:
        case 0x00B1:
        case 0x00B7:
        case 0x00D7:
        case 0x00F7:
            return true;
        default:
            break;
    }
    return (c >= 0x2010 && c <= 0x206F) ||  // dashes, quotation marks, ellipsis, ‰, ※
           (c >= 0x2100 && c <= 0x23FF) ||  // letterlike symbols, number forms, arrows, maths
           (c >= 0x2460 && c <= 0x27BF);    // enclosed numbers, box drawing, shapes, dingbats
}

}  // namespace

CharClass charClassOf(char16_t c) {
    if (c < 0x80) return CharClass::Ascii;
    if ((c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x2FDF) ||
        (c >= 0x2FF0 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
        (c >= 0xAC00 && c <= 0xDFFF) || (c >= 0xF900 && c <= 0xFAFF) ||
        (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF))
        return CharClass::EastAsian;
    return isAmbiguous(c) ? CharClass::Ambiguous : CharClass::Other;
}

bool hasAmbiguous(std::u16string_view text) {
    for (char16_t c : text) {
        if (charClassOf(c) == CharClass::Ambiguous) return true;
    }
    return false;
}

bool isChineseFont(std::u16string_view name) {
    for (const auto& face : kChineseFaces) {
        if (face.second == name) return true;
    }
    for (char16_t c : name) {
        if (charClassOf(c) == CharClass::EastAsian) return true;
    }
    return false;
}

std::u16string_view englishNameOf(std::u16string_view name) {
    for (const auto& face : kChineseFaces) {
        if (face.first == name) return face.second;
    }
    return {};
}

}  // namespace pennory::text::docx
