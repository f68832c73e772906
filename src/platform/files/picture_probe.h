#pragma once
// Reads a picture file's kind and size from its header, without decoding it, so that a
// picture too large to decode safely is refused before any pixel memory is taken.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace pennory::files {

// Why a picture is not shown. The core words the message.
enum class PictureProblem {
    None,
    NotFound,
    NotAFile,  // a folder
    Unreadable,
    Empty,
    UnknownFormat,
    Damaged,
    TooLarge,  // decoding it would take more memory than a picture may
};

struct PictureResult {
    PictureProblem problem = PictureProblem::None;
    int widthPx = 0;
    int heightPx = 0;

    bool ok() const { return problem == PictureProblem::None; }
};

// The most memory one picture may take to decode and show: the decoded image, held once,
// and what the decoder itself must hold for the whole picture. A small file can declare a
// huge image, so this is judged from the header, never from the file's size.
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t(192) << 20;

// Decoded pictures take at most 4 bytes a pixel, except 16-bit PNG ones and GIF ones (8
// bytes, the GIF decoder's restoring buffer included) and progressive JPEG ones (up to 12,
// with the coefficients), so this many pixels of 4 bytes just fit: 8192 x 6144, a
// 48-megapixel photo.
inline constexpr std::uint64_t kMaxPicturePixels = kMaxPictureBytes / 4;

// The size of a BMP, GIF, JPEG or PNG picture from the file's whole bytes, or why it cannot
// be shown: TooLarge when its decoding would take more than kMaxPictureBytes. Only the
// headers are looked at.
PictureResult probePicture(std::string_view bytes);

// probePicture over the file at path, which is mapped rather than read. NotFound, NotAFile
// (a folder) and Unreadable (anything else that is no readable regular file) come first.
PictureResult probePictureFile(const std::filesystem::path& path);

}  // namespace pennory::files
