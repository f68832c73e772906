#pragma once
// A Chinese manuscript for the cipher's benchmarks: common characters (the GB2312 first
// level) in pseudo-random order, with punctuation and line breaks, and only characters the
// cipher restores, so encrypting it asks no question.

#include <string>

namespace pennory::bench {

inline constexpr std::size_t kCipherManuscriptLength = 1'000'000;

const std::u16string& cipherManuscript();

}  // namespace pennory::bench
