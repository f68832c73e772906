#pragma once
// The writer's notice after a load that could not keep all of a file: one sentence naming
// the file and every kind of content left out, for example
// "“稿子.rtf”中的图片和脚注未能保留，其余内容已经打开。".

#include <string>
#include <string_view>

#include "platform/text/left_out.h"

namespace pennory::document {

// The Chinese name of a kind of content left out ("图片", "表格结构", ...).
std::u16string_view leftOutName(text::LeftOut kind);

// The notice for path; empty when kinds is empty (nothing is shown then). Kinds are listed in
// their enum's order, joined by "、" and, before the last, "和".
std::u16string leftOutNotice(std::u16string_view path, const text::LeftOutKinds& kinds);

}  // namespace pennory::document
