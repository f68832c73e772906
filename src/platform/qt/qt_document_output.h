#pragma once
// PDF output and printing on Qt: the styled text is laid out afresh in a QTextDocument on A4
// pages, for QPdfWriter or for the printer chosen in the print dialog.
//
// Chinese text is drawn with TrueType faces (AR PL UMing for Song, FangSong and, where no Kai
// face is installed, KaiTi; WenQuanYi Zen Hei for Hei) in preference to the Noto CJK faces the
// window shows. Qt embeds the Noto faces too, but their character maps give the Kangxi radicals
// the glyphs of the common ideographs, and the PDF's text then reads 文 as ⽂ and 子 as ⼦: a
// search for them finds nothing. Noto stays as the last fallback.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/services.h"

class QTextDocument;

namespace pennory::platform::qt {

class QtDocumentOutput : public DocumentOutputService {
public:
    // owner: the parent of the print dialog.
    explicit QtDocumentOutput(QWidget* owner = nullptr) : m_owner(owner) {}

    std::optional<std::string> pdfBytes(const text::StyledText& content) override;
    PrintOutcome print(const text::StyledText& content, std::u16string_view title) override;

private:
    QPointer<QWidget> m_owner;
};

// content on pages of the device's size, every run in its print faces, its paragraphs'
// indents in pixels of a device of deviceDpi (0: of the screen, as the editor has them).
// Exposed for tests.
std::unique_ptr<QTextDocument> layOutForPaper(const text::StyledText& content, int deviceDpi = 0);

}  // namespace pennory::platform::qt
