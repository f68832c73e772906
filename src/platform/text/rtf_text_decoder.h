#pragma once
// The bytes of an RTF document's text and the code pages they are read in. The document's
// code page comes from \ansicpg, else \ansi, \mac, \pc or \pca, else 1252; the reader chooses
// a font's code page in its place where the font table gives one.

#include <string>
#include <string_view>

#include "platform/text/code_pages.h"
#include "platform/text/rtf_keywords.h"
#include "platform/text/rtf_tokenizer.h"

namespace pennory::text {

class RtfTextDecoder {
public:
    RtfTextDecoder() {
        m_pending.reserve(256);
        m_decoded.reserve(256);
    }

    // Applies \ansi, \mac, \pc, \pca or \ansicpgN. Returns false for any other word. A valid
    // \ansicpg wins over the character set words, whichever comes first.
    bool applyDocumentWord(RtfKeyword keyword, const RtfToken& token);
    int documentCodePage() const { return m_documentCodePage; }

    // Text bytes are collected until decodePending(), so that a character written as several
    // \'hh escapes is decoded whole.
    void addBytes(std::string_view bytes) { m_pending.append(bytes); }
    bool hasPending() const { return !m_pending.empty(); }
    // Decodes the bytes added since the last call in codePage. The result stays valid until the
    // next call.
    std::u16string_view decodePending(int codePage);

    void decodeAppend(int codePage, std::string_view bytes, std::u16string& out) {
        m_decoder.decodeAppend(codePage, bytes, out);
    }

private:
    int m_documentCodePage = 1252;
    bool m_codePageGiven = false;
    CodePageDecoder m_decoder;
    std::string m_pending;  // undecoded text bytes, all in one code page
    std::u16string m_decoded;
};

}  // namespace pennory::text
