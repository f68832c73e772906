#include "platform/text/gb18030_text.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include "platform/text/icu_converter.h"

namespace pennory::text {
namespace {

constexpr UChar kEuro = 0x20AC;

// GB18030 leaves the single byte 0x80 undefined; code page 936 has the euro sign there.
void euroAt0x80(const void*, UConverterToUnicodeArgs* args, const char* codeUnits, int32_t length,
                UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    if (length == 1 && static_cast<unsigned char>(codeUnits[0]) == 0x80) {
        *error = U_ZERO_ERROR;
        ucnv_cbToUWriteUChars(args, &kEuro, 1, 0, error);
        return;
    }
    UCNV_TO_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, reason, error);
}

struct Mark {
    std::string_view bytes;
    const char* converter;
};

constexpr Mark kMarks[] = {
    {"\xEF\xBB\xBF", "UTF-8"},
    {"\xFF\xFE", "UTF-16LE"},
    {"\xFE\xFF", "UTF-16BE"},
};

}  // namespace

std::u16string decodeGb18030Text(std::string_view bytes) {
    std::u16string out;
    for (const Mark& mark : kMarks) {
        if (bytes.starts_with(mark.bytes)) {
            IcuConverter converter(mark.converter);
            converter.decodeAppend(bytes.substr(mark.bytes.size()), out);
            return out;
        }
    }
    IcuConverter converter("gb18030");
    UErrorCode error = U_ZERO_ERROR;
    if (converter.valid()) {
        ucnv_setToUCallBack(converter.get(), euroAt0x80, nullptr, nullptr, nullptr, &error);
    }
    converter.decodeAppend(bytes, out);
    return out;
}

}  // namespace pennory::text
