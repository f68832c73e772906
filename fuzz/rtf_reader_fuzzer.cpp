// Any bytes read as RTF: no crash, no leak, bounded work; and whatever the reader makes of them
// survives this program's own save and load unchanged.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const pennory::text::StyledText text = pennory::text::readRtf(bytes);
    const pennory::text::StyledText back = pennory::text::readRtf(pennory::text::writeRtf(text));
    if (!(back == text)) __builtin_trap();
    return 0;
}
