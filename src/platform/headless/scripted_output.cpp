#include "platform/headless/scripted_output.h"

namespace pennory::platform::headless {

std::optional<std::string> ScriptedDocumentOutput::pdfBytes(const text::StyledText& content) {
    m_requests.push_back({Request::Pdf, content, {}});
    return m_pdfBytes;
}

PrintOutcome ScriptedDocumentOutput::print(const text::StyledText& content,
                                           std::u16string_view title) {
    m_requests.push_back({Request::Print, content, std::u16string(title)});
    if (m_printOutcomes.empty()) return PrintOutcome::Cancelled;
    const PrintOutcome outcome = m_printOutcomes.front();
    m_printOutcomes.pop_front();
    return outcome;
}

}  // namespace pennory::platform::headless
