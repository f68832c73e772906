#pragma once
// Text of a fixed format that is always GB18030 (a superset of code page 936), such as the
// password file: read without guessing, so that whatever this program wrote reads back the same.

#include <string>
#include <string_view>

namespace pennory::text {

// A byte-order mark decides first (UTF-8, UTF-16 LE, UTF-16 BE; the mark itself is dropped);
// without one the bytes are GB18030. The single byte 0x80, which Windows writes for the euro
// sign in code page 936, reads as the euro sign. An invalid sequence becomes U+FFFD; NUL bytes
// and line ends are kept as they are.
std::u16string decodeGb18030Text(std::string_view bytes);

}  // namespace pennory::text
