#include "platform/text/icu_converter.h"

#include <unicode/ucnv.h>

namespace pennory::text {

IcuConverter::IcuConverter(const char* name) {
    UErrorCode error = U_ZERO_ERROR;
    m_converter = ucnv_open(name, &error);
    if (U_FAILURE(error)) {
        if (m_converter) ucnv_close(m_converter);
        m_converter = nullptr;
    }
}

IcuConverter::~IcuConverter() {
    if (m_converter) ucnv_close(m_converter);
}

void IcuConverter::decodeAppend(std::string_view bytes, std::u16string& out) {
    if (!m_converter || bytes.empty()) return;
    ucnv_resetToUnicode(m_converter);
    const char* source = bytes.data();
    const char* const sourceEnd = source + bytes.size();
    // One unit per byte is enough for the code pages read here; the loop grows the buffer for
    // converters that produce more.
    std::size_t start = out.size();
    out.resize(start + bytes.size() + 16);
    for (;;) {
        UChar* target = reinterpret_cast<UChar*>(out.data()) + start;
        UChar* const targetBegin = target;
        UChar* const targetEnd = reinterpret_cast<UChar*>(out.data()) + out.size();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_toUnicode(m_converter, &target, targetEnd, &source, sourceEnd, nullptr, true, &error);
        start += static_cast<std::size_t>(target - targetBegin);
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() + (sourceEnd - source) + 64);
            continue;
        }
        break;
    }
    out.resize(start);
}

void IcuConverter::encodeAppend(std::u16string_view text, std::string& out) {
    if (!m_converter || text.empty()) return;
    ucnv_resetFromUnicode(m_converter);
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* const sourceEnd = source + text.size();
    std::size_t start = out.size();
    out.resize(start + text.size() * 2 + 16);
    for (;;) {
        char* target = out.data() + start;
        char* const targetBegin = target;
        char* const targetEnd = out.data() + out.size();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_fromUnicode(m_converter, &target, targetEnd, &source, sourceEnd, nullptr, true,
                         &error);
        start += static_cast<std::size_t>(target - targetBegin);
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() + (sourceEnd - source) * 4 + 64);
            continue;
        }
        break;
    }
    out.resize(start);
}

}  // namespace pennory::text
