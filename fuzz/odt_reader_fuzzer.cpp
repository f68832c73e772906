// Any bytes read as ODT: no crash, no leak, bounded work; and whatever the reader accepts
// survives this program's own save and load unchanged (the program writes no ODT of text
// that XML cannot hold, so neither does this).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/text/office_documents.h"
#include "platform/text/xml_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pennory::text;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OfficeReading read = readOdt(bytes, CharFormat{});
    if (read.problem || !xmlCanHold(read.content)) return 0;
    const OfficeReading back = readOdt(writeOdt(read.content), CharFormat{});
    if (back.problem || !(back.content == read.content)) __builtin_trap();
    return 0;
}
