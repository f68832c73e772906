#pragma once
// The scripted twin of PDF output and printing: it records what it was asked to put out and
// answers with the bytes and outcomes a test gave.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace pennory::platform::headless {

class ScriptedDocumentOutput : public DocumentOutputService {
public:
    // The bytes every PDF is made of; nullopt makes making one fail.
    void setPdfBytes(std::optional<std::string> bytes) { m_pdfBytes = std::move(bytes); }
    // Unscripted print requests are cancelled, as a writer closing the dialog would.
    void nextPrintOutcome(PrintOutcome outcome) { m_printOutcomes.push_back(outcome); }

    std::optional<std::string> pdfBytes(const text::StyledText& content) override;
    PrintOutcome print(const text::StyledText& content, std::u16string_view title) override;

    struct Request {
        enum Kind { Pdf, Print } kind;
        text::StyledText content;
        std::u16string title;  // print requests
    };
    const std::vector<Request>& requests() const { return m_requests; }

private:
    std::optional<std::string> m_pdfBytes = std::string("%PDF-1.4 scripted\n%%EOF\n");
    std::deque<PrintOutcome> m_printOutcomes;
    std::vector<Request> m_requests;
};

}  // namespace pennory::platform::headless
