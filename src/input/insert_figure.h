#pragma once
// Figures in the manuscript: 编辑 › 插入图片, a picture pasted or dropped, and a figure's
// width.

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/figure.h"

namespace pennory::app {
class Form1;
}

namespace pennory::input {

inline constexpr std::u16string_view kInsertFigureTitle = u"插入图片";
inline constexpr std::u16string_view kInsertFigureFilter =
    u"图片文件(*.png;*.jpg;*.jpeg;*.gif;*.bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|所有文件(*.*)|*.*";
inline constexpr std::u16string_view kFigureWidthPrompt = u"图片宽度（例如 50% 或 8cm）：";
inline constexpr std::u16string_view kFigureWidthRefused =
    u"图片宽度应写成百分数（1%～100%）或厘米数（0.1～100 厘米），例如 50% 或 8cm。";
inline constexpr std::u16string_view kPastedPictureUnshown = u"剪贴板中的图片无法显示。";

// The kind of picture file bytes hold, by their first bytes; Other for none of PNG, JPEG,
// GIF and BMP.
text::FigureKind figureKindOf(std::string_view bytes);

// Shows the open dialog and puts the chosen picture at the caret of the manuscript editor.
// A picture that cannot be shown (not a picture, damaged, too large to decode) is refused
// with a message and nothing changes; a cancelled dialog changes nothing.
void insertFigure(app::Form1& form);

// Puts the picture file at path at the caret, as insertFigure does once a file is chosen.
// False, after a message, when it was refused.
bool insertFigureFile(app::Form1& form, std::u16string_view path);

// Whether the dropped file at path is a picture file (PNG, JPEG, GIF or BMP by its bytes),
// which a drop on the manuscript editor inserts rather than opens.
bool isPictureFile(std::u16string_view path);

// The picture the clipboard holds, at the caret; false when it holds none. One it holds that
// cannot be shown gets a message and changes nothing (true: the paste is dealt with).
bool pasteFigure(app::Form1& form);

// "50%", "8cm", "8 厘米", "8.5 cm" (blanks and case aside); none for anything else, a percent
// outside 1..100 or centimetres outside 0.1..100 included.
std::optional<text::FigureWidth> parseFigureWidth(std::u16string_view answer);

// Asks for the width of the figure at the selection of the manuscript editor and sets it;
// without a selected figure, nothing happens; an empty or cancelled answer changes nothing;
// a bad one gets kFigureWidthRefused.
void setFigureWidth(app::Form1& form);

}  // namespace pennory::input
