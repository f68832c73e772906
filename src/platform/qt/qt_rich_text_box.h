#pragma once
// The rich-text box on Qt: a QTextEdit whose QTextDocument holds the styled text.

#include <memory>
#include <span>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/qt_control.h"
#include "platform/qt/qt_rich_text_document.h"
#include "platform/qt/qt_rich_text_edit.h"
#include "platform/qt/qt_zoom_device.h"

namespace pennory::platform::qt {

class QtRichTextBox : public QtControl<RichTextBox, RichTextEdit> {
public:
    QtRichTextBox(QWidget* parent, const text::CharFormat& font, Callback clicked);
    // The layout lets go of the zoom's device before it goes.
    ~QtRichTextBox() override;

    // Edits are read from QTextDocument::contentsChange: the inserted characters from the
    // document, the removed length from how the text's length changed.
    void setChangeHandlers(std::function<void(const TextEdit&)> edited,
                           Callback selectionChanged) override;

    std::u16string text() const override;
    void setText(std::u16string_view text) override;
    text::StyledText content() const override;
    void setContent(const text::StyledText& content) override;
    text::CharFormat defaultFormat() const override;
    std::size_t selStart() const override;
    void setSelStart(std::size_t start) override;
    std::size_t selLength() const override;
    void setSelLength(std::size_t length) override;
    std::u16string selText() const override;
    text::StyledText selContent() const override;
    void setSelText(std::u16string_view text) override;
    // One QTextDocument edit block, reported once after it ends.
    bool applyReplacements(std::vector<text::Replacement> replacements) override;
    text::CharFormat selFormat() const override;
    void setSelFont(const text::Font& font) override;
    void setSelColour(text::Colour colour) override;
    text::ParagraphFormat selParagraphFormat() const override;
    // One QTextDocument edit block, reported once after it ends.
    void setSelParagraphFormat(const text::ParagraphFormat& format) override;
    // The figure is an image of the document (see qt_figures.h); Qt's own undo takes it back.
    void insertFigure(const text::Figure& figure) override;
    std::optional<text::Figure> selFigure() const override;
    void setSelFigureWidth(text::FigureWidth width) override;
    void onFileDropped(FileDropped dropped) override;
    // "图片宽度…" in the context menu over a figure, which it selects first.
    void onFigureMenu(Callback figureMenu) override {
        m_widget->setFigureMenu(std::move(figureMenu));
    }
    // Lays the document out for a device of the screen's DPI times the zoom (see
    // qt_zoom_device.h); at 100 % for the screen itself, as without zoom.
    void setZoomPercent(int percent) override;
    int zoomPercent() const override { return m_zoomPercent; }
    void onZoomRequested(ZoomRequested requested) override;

private:
    // The editor's own paste and drop: the passage Pennory put beside text, when it belongs
    // to it, else text, in place of the selection as one edit block.
    void pasteFromEditor(std::u16string_view text, const std::optional<std::string>& styled);
    // The document position of the figure selFigure gives, or -1.
    int selFigurePosition() const;
    // Tells the figures' resources the text's width and the screen's pixels.
    void fitFigures();
    void mergeFormat(const QTextCharFormat& change);
    void reportEdit(int from, int added);
    void checkLength();
    // The document positions [from, to) of replacements that share no line break with others.
    struct Piece {
        int from, to;
        std::size_t textFrom;      // from as a text position
        std::size_t first, count;  // of the transaction's replacements
    };
    void replacePiece(QTextCursor& cursor, const Piece& piece,
                      std::span<const text::Replacement> replacements);
    void reportReplacements(std::span<const text::Replacement> replacements,
                            std::size_t lengthBefore);
    void moveSelection(std::size_t anchor, std::size_t position);

    text::CharFormat m_default;
    StyledTextWriter m_writer;
    std::function<void(const TextEdit&)> m_edited;
    Callback m_selectionChanged;
    std::size_t m_reportedLength = 0;  // the text's length after the edits reported
    bool m_inTransaction = false;      // Qt's own reports wait for the transaction's one
    int m_zoomPercent = 100;
    std::unique_ptr<ZoomDevice> m_zoomDevice;  // the layout's paint device; none at 100 %
};

}  // namespace pennory::platform::qt
