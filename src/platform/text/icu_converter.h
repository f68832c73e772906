#pragma once
// A thin owner of one ICU converter. The only place besides the code page tables where this
// folder talks to ICU directly.

#include <string>
#include <string_view>

struct UConverter;

namespace pennory::text {

class IcuConverter {
public:
    // Opens the converter by ICU name; valid() tells whether that worked.
    explicit IcuConverter(const char* name);
    ~IcuConverter();
    IcuConverter(const IcuConverter&) = delete;
    IcuConverter& operator=(const IcuConverter&) = delete;

    bool valid() const { return m_converter != nullptr; }
    UConverter* get() const { return m_converter; }

    // Appends the decoding of the bytes, with ICU's substitutes for invalid sequences. The
    // converter is reset first, so calls are independent of each other.
    void decodeAppend(std::string_view bytes, std::u16string& out);

    // Encodes the text with ICU's substitute for characters the converter cannot represent.
    void encodeAppend(std::u16string_view text, std::string& out);

private:
    UConverter* m_converter = nullptr;
};

}  // namespace pennory::text
