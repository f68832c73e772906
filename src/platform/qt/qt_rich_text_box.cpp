#include "platform/qt/qt_rich_text_box.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <algorithm>
#include <span>
#include <vector>

#include "platform/files/clipboard_passage.h"
#include "platform/qt/qt_figures.h"
#include "platform/qt/qt_file_drops.h"
#include "platform/qt/qt_manuscript_layout.h"
#include "platform/qt/qt_paragraph_format.h"
#include "platform/qt/qt_rich_text_document.h"
#include "platform/qt/qt_soft_breaks.h"
#include "platform/text/line_breaks.h"

namespace pennory::platform::qt {

namespace {

// The box's own font, which the document also takes for text without a format of its own.
QFont boxFont(const text::CharFormat& format) {
    QFont font;
    font.setFamilies(QStringList{toQString(format.fontName)});
    font.setPointSizeF(format.sizePt);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strikethrough);
    return font;
}

}  // namespace

QtRichTextBox::QtRichTextBox(QWidget* parent, const text::CharFormat& font, Callback clicked)
    : QtControl(new RichTextEdit(
          parent, std::move(clicked),
          [this](std::u16string_view text, const std::optional<std::string>& styled) {
              pasteFromEditor(text, styled);
          },
          [this] { return files::clipboardPassage(selContent(), u"\n"); })),
      m_default(font) {
    m_widget->setAcceptRichText(false);
    // Tab moves on through the window rather than typing a tab character.
    m_widget->setTabChangesFocus(true);
    usePaperColours(m_widget);
    m_widget->setLineWrapMode(QTextEdit::WidgetWidth);
    m_widget->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QFont qfont = boxFont(font);
    m_widget->setFont(qfont);
    m_widget->document()->setDefaultFont(qfont);
    // Text typed after a stand-in must not inherit its mark.
    QObject::connect(m_widget, &QTextEdit::currentCharFormatChanged, m_widget,
                     [edit = m_widget](const QTextCharFormat& format) {
                         if ((isStandInFormat(format) || figureOf(format)) &&
                             !edit->textCursor().hasSelection()) {
                             edit->setCurrentCharFormat(withoutFigure(withoutStandIn(format)));
                         }
                     });
    m_widget->document()->setDocumentLayout(new ManuscriptLayout(m_widget->document()));
    FigureLayout::install(*m_widget->document());
    followSoftBreaks(*m_widget->document());
    setContent({});
}

QtRichTextBox::~QtRichTextBox() {
    if (m_zoomDevice && m_widget) m_widget->document()->documentLayout()->setPaintDevice(nullptr);
}

void QtRichTextBox::onFileDropped(FileDropped dropped) {
    m_widget->setFileDropped(std::move(dropped));
}

// ---- Zoom

void QtRichTextBox::onZoomRequested(ZoomRequested requested) {
    m_widget->setZoomRequested(std::move(requested));
}

void QtRichTextBox::setZoomPercent(int percent) {
    percent = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
    if (percent == m_zoomPercent) return;
    m_zoomPercent = percent;
    // The old device stays alive until the layout has let go of it.
    auto device = percent == 100 ? nullptr : std::make_unique<ZoomDevice>(*m_widget, percent);
    zoomLayout(*m_widget, device.get());
    m_zoomDevice = std::move(device);
    m_widget->ensureCursorVisible();
}

// ---- Changes

void QtRichTextBox::setChangeHandlers(std::function<void(const TextEdit&)> edited,
                                      Callback selectionChanged) {
    const bool connected = m_edited || m_selectionChanged;
    m_edited = std::move(edited);
    m_selectionChanged = std::move(selectionChanged);
    QTextDocument* document = m_widget->document();
    m_reportedLength = textLength(*document);
    if (connected) return;
    QObject::connect(document, &QTextDocument::contentsChange, m_widget,
                     [this](int from, int, int added) { reportEdit(from, added); });
    QObject::connect(document, &QTextDocument::contentsChanged, m_widget, [this] { checkLength(); });
    auto selection = [this] {
        if (m_selectionChanged) m_selectionChanged();
    };
    QObject::connect(m_widget, &QTextEdit::cursorPositionChanged, m_widget, selection);
    QObject::connect(m_widget, &QTextEdit::selectionChanged, m_widget, selection);
}

void QtRichTextBox::reportEdit(int from, int added) {
    if (!m_edited || m_inTransaction) return;
    const QTextDocument& document = *m_widget->document();
    const int end = documentEnd(document);
    from = std::clamp(from, 0, end);
    const int to = std::clamp(from + added, from, end);
    TextEdit edit{toTextPosition(document, from), 0, readPlain(document, from, to)};
    const std::size_t length = textLength(document);
    // What the text lost is what it lost in length plus what came in.
    const auto removed = static_cast<long long>(m_reportedLength) - static_cast<long long>(length) +
                         static_cast<long long>(edit.inserted.size());
    if (removed < 0 || edit.start + static_cast<std::size_t>(removed) > m_reportedLength) {
        edit = TextEdit{0, m_reportedLength, text()};
    } else {
        edit.removed = static_cast<std::size_t>(removed);
    }
    m_reportedLength = length;
    if (m_edited) m_edited(edit);
}

// A change made while another was being reported (the soft breaks' own repairs) is not
// reported by Qt; the whole text then goes as one edit.
void QtRichTextBox::checkLength() {
    if (!m_edited || m_inTransaction) return;
    const std::size_t length = textLength(*m_widget->document());
    if (length == m_reportedLength) return;
    TextEdit edit{0, m_reportedLength, text()};
    m_reportedLength = length;
    if (m_edited) m_edited(edit);
}

// ---- Content

std::u16string QtRichTextBox::text() const {
    const QTextDocument& document = *m_widget->document();
    return readPlain(document, 0, documentEnd(document));
}

void QtRichTextBox::setText(std::u16string_view text) {
    setContent(text::StyledText(std::u16string(text), m_default));
}

text::StyledText QtRichTextBox::content() const {
    const QTextDocument& document = *m_widget->document();
    return readStyled(document, 0, documentEnd(document), m_default);
}

void QtRichTextBox::setContent(const text::StyledText& content) {
    QTextDocument& document = *m_widget->document();
    // Loading is not an edit: with undo off it leaves no step behind, and switching undo off
    // empties the history of the previous content. One edit block lets the layout start
    // afresh and lazily, as for QTextDocument::setPlainText.
    document.setUndoRedoEnabled(false);
    m_writer.forgetFormats();
    fitFigures();
    // The editor's own cursor would be pushed to the end by the insertion, and moving it back
    // to the start would then lay out the whole document at once to repaint where it was.
    // Without a cursor meanwhile, the layout proceeds lazily, a screenful first.
    m_widget->setTextCursor(QTextCursor());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    document.clear();
    cursor.setPosition(0);
    cursor.setBlockCharFormat(toQtFormat(m_default));
    m_writer.insert(cursor, content);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
    document.setModified(false);
    m_widget->setTextCursor(QTextCursor(&document));
    m_widget->verticalScrollBar()->setValue(0);
    m_widget->horizontalScrollBar()->setValue(0);
}

text::CharFormat QtRichTextBox::defaultFormat() const { return m_default; }

// ---- Selection

std::size_t QtRichTextBox::selStart() const {
    return toTextPosition(*m_widget->document(), m_widget->textCursor().selectionStart());
}

void QtRichTextBox::setSelStart(std::size_t start) {
    QTextCursor cursor = m_widget->textCursor();
    cursor.setPosition(toDocumentPosition(*m_widget->document(), start, Rounding::Down));
    m_widget->setTextCursor(cursor);
}

std::size_t QtRichTextBox::selLength() const {
    const QTextDocument& document = *m_widget->document();
    const QTextCursor cursor = m_widget->textCursor();
    return toTextPosition(document, cursor.selectionEnd()) -
           toTextPosition(document, cursor.selectionStart());
}

void QtRichTextBox::setSelLength(std::size_t length) {
    const QTextDocument& document = *m_widget->document();
    QTextCursor cursor = m_widget->textCursor();
    const int start = cursor.selectionStart();
    const std::size_t textStart = toTextPosition(document, start);
    const std::size_t textEnd = textStart + std::min(length, textLength(document) - textStart);
    cursor.setPosition(start);
    cursor.setPosition(toDocumentPosition(document, textEnd, Rounding::Up),
                       QTextCursor::KeepAnchor);
    m_widget->setTextCursor(cursor);
}

std::u16string QtRichTextBox::selText() const {
    const QTextCursor cursor = m_widget->textCursor();
    return readPlain(*m_widget->document(), cursor.selectionStart(), cursor.selectionEnd());
}

text::StyledText QtRichTextBox::selContent() const {
    const QTextCursor cursor = m_widget->textCursor();
    return readStyled(*m_widget->document(), cursor.selectionStart(), cursor.selectionEnd(),
                      m_default);
}

void QtRichTextBox::pasteFromEditor(std::u16string_view text,
                                    const std::optional<std::string>& styled) {
    const auto passage = styled ? files::passageToPaste(text, *styled) : std::nullopt;
    if (!passage) {
        setSelText(text::withCrLfLineBreaks(text, text::ParagraphSeparator::IsLineBreak));
        return;
    }
    // Run by run as setSelText puts text in, so that a drag within the editor, which Qt wraps
    // in an edit block of its own, is still one change reported by the document.
    fitFigures();
    QTextCursor cursor = m_widget->textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (const text::StyledRun& run : passage->runs()) {
        m_writer.insert(cursor, run.text, run.format);
    }
    cursor.endEditBlock();
    m_widget->setTextCursor(cursor);
}

void QtRichTextBox::setSelText(std::u16string_view text) {
    const text::CharFormat format = selFormat();
    QTextCursor cursor = m_widget->textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    m_writer.insert(cursor, text, format);
    cursor.endEditBlock();
    m_widget->setTextCursor(cursor);
}

// ---- Edit transactions

bool QtRichTextBox::applyReplacements(std::vector<text::Replacement> replacements) {
    QTextDocument& document = *m_widget->document();
    const std::size_t length = textLength(document);
    if (!text::orderReplacements(replacements, length)) return false;
    if (replacements.empty()) return true;

    // Every position is found before the first change: the map between text and document
    // positions holds for the document as it is between edit blocks.
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        text::Replacement& r = replacements[i];
        if (!r.format) {
            const auto source = text::formatSource(r, length);
            const int at = source ? toDocumentPosition(document, *source, Rounding::Down) : -1;
            r.format = source ? fromQtFormat(formatOfCharAt(document, at), m_default) : m_default;
        }
        const int from = toDocumentPosition(document, r.start, Rounding::Down);
        const int to = toDocumentPosition(document, r.start + r.length, Rounding::Up);
        // A paragraph break is one document position: replacements that meet inside one are
        // one piece of the document.
        if (!pieces.empty() && from < pieces.back().to) {
            pieces.back().to = std::max(pieces.back().to, to);
            ++pieces.back().count;
        } else {
            pieces.push_back({from, to, toTextPosition(document, from), i, 1});
        }
    }

    // Qt moves the editor's cursor along with the edits in its own way; it is put afterwards
    // where the box promises.
    const QTextCursor before = m_widget->textCursor();
    const std::size_t anchor = toTextPosition(document, before.anchor());
    const std::size_t position = toTextPosition(document, before.position());

    m_inTransaction = true;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // Back to front, so that the positions found before stay true.
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
        replacePiece(cursor, *piece, std::span(replacements).subspan(piece->first, piece->count));
    }
    cursor.endEditBlock();
    m_inTransaction = false;
    reportReplacements(replacements, length);
    moveSelection(text::positionAfter(anchor, replacements),
                  text::positionAfter(position, replacements));
    return true;
}

void QtRichTextBox::replacePiece(QTextCursor& cursor, const Piece& piece,
                                 std::span<const text::Replacement> replacements) {
    QTextDocument& document = *m_widget->document();
    const int from = piece.from;
    const text::StyledText kept = readStyled(document, from, piece.to, m_default);
    const text::StyledText replaced = text::applyReplacements(kept, piece.textFrom, replacements);
    const bool soft = isSoftBreak(document.findBlock(from));
    cursor.setPosition(from);
    cursor.setPosition(piece.to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_writer.insert(cursor, replaced);
    // Removing from the start of a block into a later one gives the joined block the later
    // one's format; the break before it keeps its kind. The soft breaks' own guard sees only
    // where the whole edit block begins.
    const QTextBlock joined = document.findBlock(from);
    if (joined.previous().isValid() && isSoftBreak(joined) != soft) {
        QTextBlockFormat format = joined.blockFormat();
        if (soft) {
            format.setProperty(kSoftBreak, true);
        } else {
            format.clearProperty(kSoftBreak);
        }
        QTextCursor(joined).setBlockFormat(format);
    }
}

void QtRichTextBox::reportReplacements(std::span<const text::Replacement> replacements,
                                       std::size_t lengthBefore) {
    const QTextDocument& document = *m_widget->document();
    const std::size_t length = textLength(document);
    const std::size_t start = replacements.front().start;
    const std::size_t removed = replacements.back().start + replacements.back().length - start;
    const std::size_t end = start + removed + length - lengthBefore;
    const int from = toDocumentPosition(document, start, Rounding::Down);
    const int to = toDocumentPosition(document, end, Rounding::Up);
    // The document positions may take in the other half of a line break.
    const std::u16string around = readPlain(document, from, to);
    TextEdit edit{start, removed,
                  around.substr(start - toTextPosition(document, from), end - start)};
    m_reportedLength = length;
    if (m_edited) m_edited(edit);
}

void QtRichTextBox::moveSelection(std::size_t anchor, std::size_t position) {
    const QTextDocument& document = *m_widget->document();
    const Rounding anchorRounding = anchor > position ? Rounding::Up : Rounding::Down;
    const Rounding positionRounding = position > anchor ? Rounding::Up : Rounding::Down;
    const int anchorAt = toDocumentPosition(document, anchor, anchorRounding);
    const int positionAt = toDocumentPosition(document, position, positionRounding);
    QTextCursor cursor = m_widget->textCursor();
    if (cursor.anchor() == anchorAt && cursor.position() == positionAt) return;
    cursor.setPosition(anchorAt);
    cursor.setPosition(positionAt, QTextCursor::KeepAnchor);
    m_widget->setTextCursor(cursor);
}

// ---- Format

text::CharFormat QtRichTextBox::selFormat() const {
    const QTextCursor cursor = m_widget->textCursor();
    // With a selection, its first character; at the caret, what typing would use.
    const QTextCharFormat format =
        cursor.hasSelection() ? formatOfCharAt(*m_widget->document(), cursor.selectionStart())
                              : cursor.charFormat();
    text::CharFormat out = fromQtFormat(format, m_default);
    out.figure = {};
    return out;
}

void QtRichTextBox::mergeFormat(const QTextCharFormat& change) {
    // With a selection this formats it (one undo step); without, the text typed next.
    m_widget->mergeCurrentCharFormat(change);
}

void QtRichTextBox::setSelFont(const text::Font& font) {
    text::CharFormat format;
    static_cast<text::Font&>(format) = font;
    QTextCharFormat change = toQtFormat(format);
    // The font command leaves each character's colour as it is.
    change.clearForeground();
    mergeFormat(change);
}

void QtRichTextBox::setSelColour(text::Colour colour) {
    QTextCharFormat change;
    change.setForeground(QBrush(toQColor(colour)));
    mergeFormat(change);
}

}  // namespace pennory::platform::qt

namespace pennory::platform::qt {

// ---- Paragraph format

text::ParagraphFormat QtRichTextBox::selParagraphFormat() const {
    const QTextDocument& document = *m_widget->document();
    const QTextBlock head =
        paragraphHead(document.findBlock(m_widget->textCursor().selectionStart()));
    return fromQtBlockFormat(head.blockFormat());
}

void QtRichTextBox::setSelParagraphFormat(const text::ParagraphFormat& format) {
    QTextDocument& document = *m_widget->document();
    const QTextCursor selection = m_widget->textCursor();
    const QTextBlock first = paragraphHead(document.findBlock(selection.selectionStart()));
    const QTextBlock last = paragraphHead(document.findBlock(selection.selectionEnd()));
    const int lastNumber = last.blockNumber();

    m_inTransaction = true;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextBlock head = first;
    while (head.isValid() && head.blockNumber() <= lastNumber) {
        const QTextCharFormat firstCharacter = formatOfCharAt(document, head.position());
        head = setParagraphBlocks(cursor, head, format,
                                  fromQtFormat(firstCharacter, m_default).sizePt);
    }
    cursor.endEditBlock();
    m_inTransaction = false;

    // Told as an edit putting back the characters of those paragraphs, their last break
    // excluded, as the in-memory box tells it.
    const int from = first.position();
    const QTextBlock after = nextParagraph(last);
    const int to = after.isValid() ? after.position() - 1 : documentEnd(document);
    TextEdit edit{toTextPosition(document, from), 0, readPlain(document, from, to)};
    edit.removed = edit.inserted.size();
    m_reportedLength = textLength(document);
    if (m_edited) m_edited(edit);
}

}  // namespace pennory::platform::qt

namespace pennory::platform::qt {

// ---- Figures

void QtRichTextBox::fitFigures() {
    QTextDocument& document = *m_widget->document();
    FigureImages& images = FigureImages::of(document);
    const double zoom = m_zoomPercent / 100.0;
    const double width = m_widget->viewport()->width() - 2 * document.documentMargin();
    images.setTextWidth(std::max(width / zoom, 16.0));
    images.setDeviceScale(m_widget->devicePixelRatioF() * zoom);
}

void QtRichTextBox::insertFigure(const text::Figure& figure) {
    fitFigures();
    QTextCursor cursor = m_widget->textCursor();
    const QTextCharFormat base = withoutFigure(withoutStandIn(toQtFormat(selFormat())));
    const QTextImageFormat format =
        FigureImages::of(*m_widget->document()).format(text::FigureRef(figure), base);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertImage(format);
    cursor.endEditBlock();
    m_widget->setTextCursor(cursor);
}

int QtRichTextBox::selFigurePosition() const {
    const QTextDocument& document = *m_widget->document();
    const QTextCursor cursor = m_widget->textCursor();
    int at = -1;
    if (cursor.hasSelection()) {
        if (cursor.selectionEnd() - cursor.selectionStart() == 1) at = cursor.selectionStart();
    } else if (cursor.position() > 0) {
        at = cursor.position() - 1;
    }
    if (at < 0 || document.characterAt(at) != QChar(text::kObjectCharacter)) return -1;
    return figureOf(formatOfCharAt(document, at)) ? at : -1;
}

std::optional<text::Figure> QtRichTextBox::selFigure() const {
    const int at = selFigurePosition();
    if (at < 0) return std::nullopt;
    return *figureOf(formatOfCharAt(*m_widget->document(), at));
}

void QtRichTextBox::setSelFigureWidth(text::FigureWidth width) {
    const int at = selFigurePosition();
    if (at < 0) return;
    QTextDocument& document = *m_widget->document();
    const QTextCharFormat old = formatOfCharAt(document, at);
    text::Figure figure = *figureOf(old);
    figure.width = width;
    fitFigures();
    const QTextImageFormat format = FigureImages::of(document).format(text::FigureRef(figure), old);
    QTextCursor cursor(&document);
    cursor.setPosition(at);
    cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
}

}  // namespace pennory::platform::qt
