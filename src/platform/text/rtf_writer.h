#pragma once
// Writes styled text as a Windows rich-edit control writes Chinese text: \ansi\ansicpg936,
// \fcharset134 fonts, code page 936 characters as \'hh, other characters as \uN?, control
// characters as \'hh and CR LF as \par.

#include <string>

#include "platform/text/styled_text.h"

namespace pennory::text {

std::string writeRtf(const StyledText& text);

}  // namespace pennory::text
