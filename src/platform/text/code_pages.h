#pragma once
// Windows code pages as RTF names them (\ansicpg, \cpg, \fcharset), decoded with ICU. Code
// page 936 goes through the table decoder of code_page_936.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pennory::text {

class IcuConverter;

// The code page of a Windows character set number (\fcharsetN); 0 when the character set
// means "the document's code page" (DEFAULT_CHARSET) or is unknown.
int codePageOfCharset(int charset);

// Decodes bytes of any code page, keeping one ICU converter per code page it has seen. A code
// page ICU does not know is read as Windows-1252.
class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    void decodeAppend(int codePage, std::string_view bytes, std::u16string& out);

private:
    IcuConverter& converterFor(int codePage);

    std::vector<std::pair<int, std::unique_ptr<IcuConverter>>> m_converters;
};

}  // namespace pennory::text
