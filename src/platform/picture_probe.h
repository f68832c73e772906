#pragma once
// Reads a picture file's kind and size from its header, without decoding it, so that a
// picture too large to decode safely is refused before any pixel memory is taken.

#include <filesystem>
#include <optional>

#include "platform/controls.h"

namespace pennory::platform {

// Pictures above this many pixels are refused (a small file can declare a huge image).
inline constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

// The size of a BMP, GIF, JPEG or PNG picture, or a failure with a Chinese reason.
PictureResult probePicture(const std::filesystem::path& path);

}  // namespace pennory::platform
