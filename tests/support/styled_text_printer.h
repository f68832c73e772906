#pragma once
// Readable test failures for styled text: each run as its format and its characters.

#include <gtest/gtest.h>

#include <ostream>

#include "platform/text/styled_text.h"

namespace pennory::text {

inline void PrintTo(const CharFormat& f, std::ostream* out) {
    *out << "[" << ::testing::PrintToString(f.fontName) << " " << f.sizePt << (f.bold ? " b" : "")
         << (f.italic ? " i" : "") << (f.underline ? " u" : "") << (f.strikethrough ? " s" : "")
         << " #" << std::hex << f.colour << std::dec << "]";
}

inline void PrintTo(const StyledText& content, std::ostream* out) {
    for (const auto& run : content.runs()) {
        *out << "\n  ";
        PrintTo(run.format, out);
        *out << " " << ::testing::PrintToString(run.text);
    }
}

}  // namespace pennory::text
