#pragma once
// Helpers shared by the codec tests: test data files and UTF-8 for readable failure output.

#include <unicode/ustring.h>

#include <fstream>
#include <sstream>
#include <filesystem>
#include <string>
#include <string_view>

namespace pennory::text::testing {

inline std::string dataPath(std::string_view name) {
    return std::string(PENNORY_TEST_DATA) + "/" + std::string(name);
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Conversions through ICU itself, independent of the code under test.
inline std::u16string fromUtf8(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                         &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &error);
    out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
    return out;
}

inline std::string toUtf8(std::u16string_view text) {
    std::string out(text.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(text.data()),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &error);
    out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
    return out;
}

// Text files in tests/data keep LF line ends; the editor's line break is CR LF.
inline std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'\n') out += u'\r';
        out += c;
    }
    return out;
}

// LibreOffice's command line with a user profile inside folder: test cases that run at the
// same time must not share the default profile, or the second one fails.
inline std::string soffice(const std::filesystem::path& folder, const std::string& arguments) {
    return "soffice -env:UserInstallation=file://" + (folder / "profile").string() +
           " --headless " + arguments;
}

}  // namespace pennory::text::testing
