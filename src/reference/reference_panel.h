#pragma once
// The reference picture: opening it after the picture view is shown, and panning it.

#include <string>
#include <string_view>

#include "platform/controls.h"

namespace pennory::app {
class Form1;
}

namespace pennory::reference {

// After the view switch of "image": clears the picture, hides the reference text box, asks
// for a picture ("看图") and shows it at its own size from the panel's top-left corner. The
// scroll maxima become the picture's width and height in twips; with no picture (dialog
// cancelled, or a file that cannot be shown, which is reported in a message box) both are 0.
void openPicture(app::Form1& form);
// The same with path in place of the dialog's answer (a picture dropped on the panel): path
// becomes the dialog's file name and is shown, or reported when it cannot be.
void openPictureFile(app::Form1& form, std::u16string_view path);
// Moves the picture to follow the scroll bars' values: Left = -HScroll1, Top = -VScroll1.
void panHorizontally(app::Form1& form);
void panVertically(app::Form1& form);

// The scroll maximum for a picture extent in twips: rounded to the nearest integer, halves
// to the even neighbour, and held within 0 to 32767, the range of the scroll bars.
int scrollRange(double twips);

inline constexpr std::u16string_view kPictureTooLarge = u"图片太大，无法显示";

// The message for a picture that cannot be shown: kPictureTooLarge for one too large to
// show, else "无法显示图片“path”：reason。".
std::u16string unshownPictureMessage(std::u16string_view path, platform::PictureProblem problem);

}  // namespace pennory::reference
