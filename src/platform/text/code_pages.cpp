#include "platform/text/code_pages.h"

#include <string>

#include "platform/text/cp936_tables.h"
#include "platform/text/icu_converter.h"

namespace pennory::text {

int codePageOfCharset(int charset) {
    switch (charset) {
        case 0:
            return 1252;  // ANSI_CHARSET
        case 2:
            return 1252;  // SYMBOL_CHARSET: read its bytes as Windows-1252 text
        case 77:
            return 10000;  // MAC_CHARSET
        case 128:
            return 932;  // SHIFTJIS_CHARSET
        case 129:
            return 949;  // HANGUL_CHARSET
        case 130:
            return 1361;  // JOHAB_CHARSET
        case 134:
            return 936;  // GB2312_CHARSET
        case 136:
            return 950;  // CHINESEBIG5_CHARSET
        case 161:
            return 1253;  // GREEK_CHARSET
        case 162:
            return 1254;  // TURKISH_CHARSET
        case 163:
            return 1258;  // VIETNAMESE_CHARSET
        case 177:
            return 1255;  // HEBREW_CHARSET
        case 178:
            return 1256;  // ARABIC_CHARSET
        case 186:
            return 1257;  // BALTIC_CHARSET
        case 204:
            return 1251;  // RUSSIAN_CHARSET
        case 222:
            return 874;  // THAI_CHARSET
        case 238:
            return 1250;  // EASTEUROPE_CHARSET
        case 254:
            return 437;  // PC437_CHARSET
        case 255:
            return 850;  // OEM_CHARSET
        default:
            return 0;  // DEFAULT_CHARSET (1) and anything unknown
    }
}

namespace {

std::unique_ptr<IcuConverter> openConverter(int codePage) {
    // ICU names the Windows tables themselves; the plain "cpNNN" aliases may pick IBM variants.
    std::string names[3];
    switch (codePage) {
        case 936:
            names[0] = "windows-936-2000";
            break;
        case 932:
            names[0] = "windows-31j";
            break;
        case 949:
            names[0] = "windows-949-2000";
            break;
        case 950:
            names[0] = "windows-950-2000";
            break;
        case 874:
            names[0] = "windows-874-2000";
            break;
        case 1361:
            names[0] = "ibm-1363";
            break;  // Johab is not in ICU; Korean is closest
        case 10000:
            names[0] = "macintosh";
            break;
        case 437:
            names[0] = "ibm-437";
            break;
        case 850:
            names[0] = "ibm-850";
            break;
        case 65001:
            names[0] = "UTF-8";
            break;
        default:
            names[0] = "windows-" + std::to_string(codePage);
            names[1] = "cp" + std::to_string(codePage);
            names[2] = "ibm-" + std::to_string(codePage);
    }
    for (const std::string& name : names) {
        if (name.empty()) continue;
        auto converter = std::make_unique<IcuConverter>(name.c_str());
        if (converter->valid()) return converter;
    }
    return std::make_unique<IcuConverter>("windows-1252");
}

}  // namespace

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

IcuConverter& CodePageDecoder::converterFor(int codePage) {
    for (auto& [page, converter] : m_converters) {
        if (page == codePage) return *converter;
    }
    // Code page numbers come from the file; a hostile file could name thousands of them.
    if (m_converters.size() >= 32) m_converters.erase(m_converters.begin());
    m_converters.emplace_back(codePage, openConverter(codePage));
    return *m_converters.back().second;
}

void CodePageDecoder::decodeAppend(int codePage, std::string_view bytes, std::u16string& out) {
    if (bytes.empty()) return;
    if (codePage == 936) {
        if (cp936::decodeFast(bytes, out)) return;
    }
    converterFor(codePage).decodeAppend(bytes, out);
}

}  // namespace pennory::text
