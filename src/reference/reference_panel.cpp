#include "reference/reference_panel.h"

#include <cmath>
#include <string>
#include <string_view>

#include "app/form1.h"

namespace pennory::reference {

namespace {

constexpr std::u16string_view kPictureFilter =
    u"*.bmp文件|*.bmp|*.gif文件|*gif|*.jpg文件|*.jpg|所有文件|*.*|";
constexpr std::u16string_view kPictureDialogTitle = u"看图";
constexpr double kTwipsPerPixel = 15;
constexpr int kScrollLimit = 32767;

void setScrollRanges(app::Form1& form, int horizontal, int vertical) {
    form.VScroll1().setMax(vertical);
    form.HScroll1().setMax(horizontal);
}

std::u16string_view reasonText(platform::PictureProblem problem) {
    using platform::PictureProblem;
    switch (problem) {
        case PictureProblem::NotFound:
            return u"找不到图片文件";
        case PictureProblem::NotAFile:
            return u"这是一个文件夹，不是图片文件";
        case PictureProblem::Unreadable:
            return u"无法读取图片文件";
        case PictureProblem::Empty:
            return u"图片文件是空的";
        case PictureProblem::UnknownFormat:
            return u"无法识别的图片格式";
        case PictureProblem::TooLarge:
            return kPictureTooLarge;
        case PictureProblem::Damaged:
        case PictureProblem::None:
            break;
    }
    return u"图片文件已损坏";
}

}  // namespace

std::u16string unshownPictureMessage(std::u16string_view path, platform::PictureProblem problem) {
    // Too large is no fault of the file: said as it is, without the file's name.
    if (problem == platform::PictureProblem::TooLarge) return std::u16string(kPictureTooLarge);
    std::u16string message = u"无法显示图片“";
    message += path;
    message += u"”：";
    message += reasonText(problem);
    message += u"。";
    return message;
}

int scrollRange(double twips) {
    if (!(twips > 0)) return 0;
    if (twips >= kScrollLimit) return kScrollLimit;
    const double below = std::floor(twips);
    const double fraction = twips - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0)) rounded += 1;
    return static_cast<int>(rounded);
}

namespace {

void clearPictureView(app::Form1& form) {
    form.Image1().clearPicture();
    form.RichTextBox2().setVisible(false);
}

void showPicture(app::Form1& form, std::u16string_view path) {
    const platform::PictureResult picture = form.Image1().loadPicture(std::u16string(path));
    if (!picture.ok()) {
        form.Image1().clearPicture();
        setScrollRanges(form, 0, 0);
        form.msgBox(unshownPictureMessage(path, picture.problem), platform::vbOKOnly);
        return;
    }
    setScrollRanges(form, scrollRange(picture.widthPx * kTwipsPerPixel),
                    scrollRange(picture.heightPx * kTwipsPerPixel));
}

}  // namespace

void openPicture(app::Form1& form) {
    auto& dialog = form.CommonDialog1();
    dialog.FileName = u"";
    clearPictureView(form);

    dialog.Filter = kPictureFilter;
    dialog.FilterIndex = 1;
    dialog.DialogTitle = kPictureDialogTitle;
    // A cancelled dialog leaves the name empty, and the picture stays cleared.
    if (!dialog.ShowOpen()) {
        setScrollRanges(form, 0, 0);
        return;
    }

    showPicture(form, dialog.FileName);
}

void openPictureFile(app::Form1& form, std::u16string_view path) {
    const std::u16string chosen(path);
    form.CommonDialog1().FileName = chosen;
    clearPictureView(form);
    showPicture(form, chosen);
}

void panHorizontally(app::Form1& form) {
    auto place = form.Image1().geometry();
    place.left = -form.HScroll1().value();
    form.Image1().setGeometry(place);
}

void panVertically(app::Form1& form) {
    auto place = form.Image1().geometry();
    place.top = -form.VScroll1().value();
    form.Image1().setGeometry(place);
}

}  // namespace pennory::reference
