#include "platform/picture_probe.h"

namespace pennory::platform {

PictureResult probePicture(const std::filesystem::path&) {
    return {files::FileResult::failure(u"无法识别的图片格式"), 0, 0};
}

}  // namespace pennory::platform
