#include "platform/text/binary_file_check.h"

namespace pennory::text {

bool looksLikeTarArchive(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (bytes.size() < 512) return false;
    const std::string_view magic = bytes.substr(257, 8);
    return magic.substr(0, 6) == "ustar\0"sv || magic == "ustar  \0"sv;
}

}  // namespace pennory::text
