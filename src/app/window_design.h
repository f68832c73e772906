#pragma once
// The window's design: captions, places and start values of its fixed controls.

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/controls.h"

namespace pennory::app {

inline constexpr int kClientWidth = 11640;
inline constexpr int kClientHeight = 7890;
inline constexpr std::u16string_view kWindowCaption = u"Pennory";

struct ToolbarEntry {
    std::u16string_view key;
    std::u16string_view caption;
    std::u16string_view toolTip;
};

inline constexpr std::array<ToolbarEntry, 10> kToolbar = {{
    {u"open", u"打开", u"打开文本文件"},
    {u"save", u"保存", u"保存您的稿子"},
    {u"copy", u"复制", u"将所选文字复制到剪贴板"},
    {u"palse", u"粘贴", u"将剪贴板文字粘贴在您的稿子里"},
    {u"back", u"撤消", u"撤消您在写稿时的上一步操作"},
    {u"image", u"打开图片", u"打开照片、图纸、图象等"},
    {u"write", u"词汇助输", u"方便电子术语输入稿件"},
    {u"selfdo", u"词汇定制", u"定制适合您的快捷输入词组"},
    {u"enter", u"确认定制", u"不再修改了吗?"},
    {u"stop", u"回文本窗", u"回到文本窗口"},
}};

inline constexpr std::array<std::u16string_view, 5> kFileItems = {u"新建", u"打开", u"保存",
                                                                  u"另存为", u"退出"};
// The File menu's own commands, members 5 and 6 of its array, between 另存为 and 退出.
inline constexpr std::u16string_view kPdfItem = u"输出为PDF";
inline constexpr std::u16string_view kPrintItem = u"打印";
inline constexpr std::u16string_view kPrintShortcut = u"Ctrl+P";
inline constexpr std::array<std::u16string_view, 6> kEditItems = {u"撤消", u"全选", u"剪切",
                                                                  u"删除", u"复制", u"粘贴"};
// The Edit menu's own commands: members 6 to 8 behind a line after 粘贴, 9 behind another.
struct ShortcutItem {
    std::int16_t index;
    std::u16string_view caption;
    std::u16string_view shortcut;
};
inline constexpr std::array<ShortcutItem, 3> kFindItems = {{
    {6, u"查找", u"Ctrl+F"},
    {7, u"查找下一个", u"F3"},
    {8, u"替换", u"Ctrl+H"},
}};
inline constexpr std::u16string_view kParagraphItem = u"段落";
inline constexpr std::u16string_view kInsertFigureItem = u"插入图片";
inline constexpr std::array<std::u16string_view, 3> kCodeItems = {u"请输入密码", u"入口",
                                                                  u"更改密码"};
inline constexpr std::array<std::u16string_view, 2> kCodeChildItems = {u"文稿加密", u"文稿解密"};
// Index 1 has no item.
inline constexpr std::array<std::u16string_view, 4> kHelpItems = {u"帮助", u"", u"给我写信",
                                                                  u"关于本软件"};

inline constexpr std::u16string_view kEditorToolTip = u"请写您的稿子";
inline constexpr std::u16string_view kReferenceToolTip = u"请打开参考用文本、图片等";
inline constexpr std::u16string_view kPhraseTabCaption = u"词汇定制";

// Design places, in twips (panel controls relative to the panel).
inline constexpr platform::Geometry kToolbarBand = {0, 0, 11640, 615};
inline constexpr platform::Geometry kEditorDesign = {4920, 720, 6600, 7455};
inline constexpr platform::Geometry kPanelDesign = {120, 720, 4695, 7095};
inline constexpr platform::Geometry kReferenceDesign = {0, 0, 4695, 7215};
inline constexpr platform::Geometry kImageDesign = {0, 0, 4455, 6855};
inline constexpr platform::Geometry kHScrollDesign = {0, 6840, 4455, 255};
inline constexpr platform::Geometry kVScrollDesign = {4440, 0, 255, 7095};
inline constexpr platform::Geometry kTabStripDesign = {0, 0, 4695, 7095};

}  // namespace pennory::app
