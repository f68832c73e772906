#include "input/insert_figure.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/form1.h"
#include "platform/files/file_io.h"
#include "platform/files/picture_probe.h"
#include "reference/reference_panel.h"

namespace pennory::input {
namespace {

// Pictures larger than this are not read whole into memory to be refused later.
constexpr std::uintmax_t kMaxFigureFileBytes = std::uintmax_t(256) << 20;

std::filesystem::path toPath(std::u16string_view path) {
    return std::filesystem::path(std::u16string(path));
}

// The figure the bytes make, or why they cannot be shown.
files::PictureProblem figureOf(std::string bytes, text::Figure& figure) {
    const text::FigureKind kind = figureKindOf(bytes);
    if (kind == text::FigureKind::Other) {
        return bytes.empty() ? files::PictureProblem::Empty : files::PictureProblem::UnknownFormat;
    }
    const files::PictureResult probed = files::probePicture(bytes);
    if (!probed.ok()) return probed.problem;
    figure = {};
    figure.kind = kind;
    figure.widthPx = probed.widthPx;
    figure.heightPx = probed.heightPx;
    figure.bytes = std::make_shared<const std::string>(std::move(bytes));
    return files::PictureProblem::None;
}

void put(app::Form1& form, const text::Figure& figure) {
    form.RichTextBox1().setFocus();
    form.RichTextBox1().insertFigure(figure);
}

std::u16string trimmed(std::u16string_view s) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::u16string(s);
}

}  // namespace

text::FigureKind figureKindOf(std::string_view bytes) {
    if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return text::FigureKind::Png;
    if (bytes.starts_with("\xff\xd8\xff")) return text::FigureKind::Jpeg;
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return text::FigureKind::Gif;
    if (bytes.starts_with("BM")) return text::FigureKind::Bmp;
    return text::FigureKind::Other;
}

void insertFigure(app::Form1& form) {
    auto& dialog = form.CommonDialog1();
    dialog.FileName = u"";
    dialog.Filter = kInsertFigureFilter;
    dialog.FilterIndex = 1;
    dialog.DialogTitle = kInsertFigureTitle;
    if (!dialog.ShowOpen()) return;
    insertFigureFile(form, dialog.FileName);
}

bool insertFigureFile(app::Form1& form, std::u16string_view path) {
    const files::PictureResult probed = files::probePictureFile(toPath(path));
    if (!probed.ok()) {
        form.msgBox(reference::unshownPictureMessage(path, probed.problem));
        return false;
    }
    std::string bytes;
    if (!files::readFile(toPath(path), bytes, kMaxFigureFileBytes).ok) {
        form.msgBox(reference::unshownPictureMessage(path, files::PictureProblem::Unreadable));
        return false;
    }
    text::Figure figure;
    const files::PictureProblem problem = figureOf(std::move(bytes), figure);
    if (problem != files::PictureProblem::None) {
        form.msgBox(reference::unshownPictureMessage(path, problem));
        return false;
    }
    put(form, figure);
    return true;
}

bool isPictureFile(std::u16string_view path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(toPath(path), ec)) return false;
    // The first bytes tell.
    std::ifstream file(toPath(path), std::ios::binary);
    char head[8] = {};
    file.read(head, sizeof head);
    return figureKindOf(std::string_view(head, static_cast<std::size_t>(file.gcount()))) !=
           text::FigureKind::Other;
}

bool pasteFigure(app::Form1& form) {
    auto bytes = form.services().clipboard.imageBytes();
    if (!bytes) return false;
    text::Figure figure;
    const files::PictureProblem problem = figureOf(std::move(*bytes), figure);
    if (problem == files::PictureProblem::TooLarge) {
        form.msgBox(reference::kPictureTooLarge);
    } else if (problem != files::PictureProblem::None) {
        form.msgBox(kPastedPictureUnshown);
    } else {
        put(form, figure);
    }
    return true;
}

std::optional<text::FigureWidth> parseFigureWidth(std::u16string_view answer) {
    std::u16string s = trimmed(answer);
    for (auto& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c == u'％') c = u'%';
    }
    text::FigureWidth::Unit unit;
    std::u16string_view number = s;
    if (number.ends_with(u"%")) {
        unit = text::FigureWidth::Unit::PercentOfText;
        number.remove_suffix(1);
    } else if (number.ends_with(u"cm") || number.ends_with(u"厘米")) {
        unit = text::FigureWidth::Unit::Centimetres;
        number.remove_suffix(2);
    } else {
        return std::nullopt;
    }
    const std::u16string digits = trimmed(number);
    if (digits.empty() || digits.size() > 16) return std::nullopt;
    std::string ascii;
    for (char16_t c : digits) {
        if (!((c >= u'0' && c <= u'9') || c == u'.')) return std::nullopt;
        ascii += static_cast<char>(c);
    }
    float value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc{} || end != ascii.data() + ascii.size()) return std::nullopt;
    const bool percent = unit == text::FigureWidth::Unit::PercentOfText;
    if (percent ? (value < 1.0f || value > 100.0f) : (value < 0.1f || value > 100.0f)) {
        return std::nullopt;
    }
    return text::FigureWidth{unit, value};
}

void setFigureWidth(app::Form1& form) {
    auto& box = form.RichTextBox1();
    if (!box.selFigure()) return;
    const std::u16string answer = form.services().messages.inputBox(kFigureWidthPrompt, false);
    if (trimmed(answer).empty()) return;
    const auto width = parseFigureWidth(answer);
    if (!width) {
        form.msgBox(kFigureWidthRefused);
        return;
    }
    box.setSelFigureWidth(*width);
}

}  // namespace pennory::input
