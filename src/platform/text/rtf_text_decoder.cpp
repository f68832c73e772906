#include "platform/text/rtf_text_decoder.h"

namespace pennory::text {

bool RtfTextDecoder::applyDocumentWord(RtfKeyword keyword, const RtfToken& token) {
    int characterSetCodePage = 0;
    switch (keyword) {
        case RtfKeyword::Ansi:
            characterSetCodePage = 1252;
            break;
        case RtfKeyword::Mac:
            characterSetCodePage = 10000;
            break;
        case RtfKeyword::Pc:
            characterSetCodePage = 437;
            break;
        case RtfKeyword::Pca:
            characterSetCodePage = 850;
            break;
        case RtfKeyword::AnsiCodePage:
            if (token.hasParameter && token.parameter > 0 && token.parameter < 100000) {
                m_documentCodePage = token.parameter;
                m_codePageGiven = true;
            }
            return true;
        default:
            return false;
    }
    if (!m_codePageGiven) m_documentCodePage = characterSetCodePage;
    return true;
}

std::u16string_view RtfTextDecoder::decodePending(int codePage) {
    m_decoded.clear();
    m_decoder.decodeAppend(codePage, m_pending, m_decoded);
    m_pending.clear();
    return m_decoded;
}

}  // namespace pennory::text
