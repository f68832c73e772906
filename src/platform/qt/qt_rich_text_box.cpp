#include "platform/qt/qt_rich_text_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_rich_text_document.h"

namespace pennory::platform::qt {

namespace {

constexpr int kTwipsPerPixel = 15;

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

// Edges are rounded, not sizes, so that boxes whose edges meet in twips meet in pixels.
QRect pixelRect(const Geometry& g) {
    const int left = pixels(g.left);
    const int top = pixels(g.top);
    return QRect(left, top, std::max(0, pixels(g.left + g.width) - left),
                 std::max(0, pixels(g.top + g.height) - top));
}

Geometry twipsOf(const QRect& r) {
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

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

// Any line break of text from elsewhere (CR LF, CR, LF, U+2029) as CR LF.
std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || c == 0x2029) {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

// The widget: a click reports to the behaviour, and the clipboard and drag and drop carry
// plain text only. Keys that edit next to a soft break act on the text as the writer sees it.
class RichTextEdit : public QTextEdit {
public:
    RichTextEdit(QWidget* parent, Callback clicked, std::function<void(std::u16string_view)> paste,
                 std::function<std::u16string()> copy)
        : QTextEdit(parent),
          m_clicked(std::move(clicked)),
          m_paste(std::move(paste)),
          m_copy(std::move(copy)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!isReadOnly() && editKey(event)) {
            event->accept();
            ensureCursorVisible();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QTextEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && m_clicked) m_clicked();
    }

    bool canInsertFromMimeData(const QMimeData* source) const override { return source->hasText(); }

    void insertFromMimeData(const QMimeData* source) override {
        if (!source->hasText()) return;
        m_paste(withCrLf(toU16(source->text())));
        ensureCursorVisible();
    }

    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        data->setText(toQString(m_copy()));
        return data;
    }

private:
    // Enter always makes a paragraph break, also inside a block after a soft break, whose
    // format QTextEdit would copy. Backspace and Delete next to a soft break remove the
    // character beyond it rather than the break, which is no character of the text.
    bool editKey(QKeyEvent* event) {
        QTextCursor cursor = textCursor();
        if (event->matches(QKeySequence::InsertParagraphSeparator)) {
            cursor.beginEditBlock();
            cursor.removeSelectedText();
            cursor.insertBlock(QTextBlockFormat(), withoutStandIn(cursor.charFormat()));
            cursor.endEditBlock();
            setTextCursor(cursor);
            return true;
        }
        if (cursor.hasSelection()) return false;
        const bool backspace = event->key() == Qt::Key_Backspace &&
                               !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
        if (backspace && cursor.atBlockStart() && isSoftBreak(cursor.block())) {
            while (cursor.atBlockStart() && isSoftBreak(cursor.block())) {
                cursor.movePosition(QTextCursor::PreviousCharacter);
            }
            if (cursor.position() > 0) cursor.deletePreviousChar();
            setTextCursor(cursor);
            return true;
        }
        if (event->matches(QKeySequence::Delete) && cursor.atBlockEnd() &&
            isSoftBreak(cursor.block().next())) {
            while (cursor.atBlockEnd() && isSoftBreak(cursor.block().next())) {
                cursor.movePosition(QTextCursor::NextCharacter);
            }
            if (!cursor.atEnd()) cursor.deleteChar();
            setTextCursor(cursor);
            return true;
        }
        return false;
    }

    Callback m_clicked;
    std::function<void(std::u16string_view)> m_paste;
    std::function<std::u16string()> m_copy;
};

QtRichTextBox::QtRichTextBox(QWidget* parent, const text::CharFormat& font, Callback clicked)
    : m_default(font) {
    m_edit = new RichTextEdit(
        parent, std::move(clicked), [this](std::u16string_view text) { setSelText(text); },
        [this] {
            const QTextCursor cursor = m_edit->textCursor();
            return readPlain(*m_edit->document(), cursor.selectionStart(), cursor.selectionEnd(),
                             u"\n");
        });
    m_edit->setAcceptRichText(false);
    m_edit->setLineWrapMode(QTextEdit::WidgetWidth);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QFont qfont = boxFont(font);
    m_edit->setFont(qfont);
    m_edit->document()->setDefaultFont(qfont);
    // Text typed after a stand-in must not inherit its mark.
    QObject::connect(m_edit, &QTextEdit::currentCharFormatChanged, m_edit,
                     [edit = m_edit](const QTextCharFormat& format) {
                         if (isStandInFormat(format) && !edit->textCursor().hasSelection()) {
                             edit->setCurrentCharFormat(withoutStandIn(format));
                         }
                     });
    setContent({});
}

QtRichTextBox::~QtRichTextBox() {
    // Null when the window, its parent, went first.
    delete m_edit.data();
}

QTextEdit* QtRichTextBox::widget() const { return m_edit; }

// ---- Control

bool QtRichTextBox::visible() const { return !m_edit->isHidden(); }
void QtRichTextBox::setVisible(bool visible) { m_edit->setVisible(visible); }
bool QtRichTextBox::enabled() const { return !m_edit->testAttribute(Qt::WA_ForceDisabled); }
void QtRichTextBox::setEnabled(bool enabled) { m_edit->setEnabled(enabled); }
std::u16string QtRichTextBox::caption() const { return m_caption; }
void QtRichTextBox::setCaption(std::u16string_view caption) { m_caption = caption; }
std::u16string QtRichTextBox::toolTip() const { return toU16(m_edit->toolTip()); }
void QtRichTextBox::setToolTip(std::u16string_view tip) { m_edit->setToolTip(toQString(tip)); }
// The twips last set, as long as the widget still stands where they put it.
Geometry QtRichTextBox::geometry() const {
    const QRect now = m_edit->geometry();
    return m_geometry && now == pixelRect(*m_geometry) ? *m_geometry : twipsOf(now);
}
void QtRichTextBox::setGeometry(const Geometry& geometry) {
    m_geometry = geometry;
    m_edit->setGeometry(pixelRect(geometry));
}
void QtRichTextBox::setFocus() { m_edit->setFocus(Qt::OtherFocusReason); }
// The window's focus widget, so that the answer holds while a dialog is active.
bool QtRichTextBox::hasFocus() const { return m_edit->window()->focusWidget() == m_edit; }
void QtRichTextBox::setAccessibleName(std::u16string_view name) {
    m_edit->setAccessibleName(toQString(name));
    m_edit->setObjectName(toQString(name));
}

// ---- Changes

void QtRichTextBox::setChangeHandlers(std::function<void(const TextEdit&)> edited,
                                      Callback selectionChanged) {
    const bool connected = m_edited || m_selectionChanged;
    m_edited = std::move(edited);
    m_selectionChanged = std::move(selectionChanged);
    QTextDocument* document = m_edit->document();
    m_reportedLength = textLength(*document);
    if (connected) return;
    QObject::connect(document, &QTextDocument::contentsChange, m_edit,
                     [this](int from, int, int added) { reportEdit(from, added); });
    QObject::connect(document, &QTextDocument::contentsChanged, m_edit, [this] { checkLength(); });
    auto selection = [this] {
        if (m_selectionChanged) m_selectionChanged();
    };
    QObject::connect(m_edit, &QTextEdit::cursorPositionChanged, m_edit, selection);
    QObject::connect(m_edit, &QTextEdit::selectionChanged, m_edit, selection);
}

void QtRichTextBox::reportEdit(int from, int added) {
    if (!m_edited) return;
    const QTextDocument& document = *m_edit->document();
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
    if (!m_edited) return;
    const std::size_t length = textLength(*m_edit->document());
    if (length == m_reportedLength) return;
    TextEdit edit{0, m_reportedLength, text()};
    m_reportedLength = length;
    if (m_edited) m_edited(edit);
}

// ---- Content

std::u16string QtRichTextBox::text() const {
    const QTextDocument& document = *m_edit->document();
    return readPlain(document, 0, documentEnd(document));
}

void QtRichTextBox::setText(std::u16string_view text) {
    setContent(text::StyledText(std::u16string(text), m_default));
}

text::StyledText QtRichTextBox::content() const {
    const QTextDocument& document = *m_edit->document();
    return readStyled(document, 0, documentEnd(document), m_default);
}

void QtRichTextBox::setContent(const text::StyledText& content) {
    QTextDocument& document = *m_edit->document();
    // Loading is not an edit: with undo off it leaves no step behind, and switching undo off
    // empties the history of the previous content. One edit block lets the layout start
    // afresh and lazily, as for QTextDocument::setPlainText.
    document.setUndoRedoEnabled(false);
    m_writer.forgetFormats();
    // The editor's own cursor would be pushed to the end by the insertion, and moving it back
    // to the start would then lay out the whole document at once to repaint where it was.
    // Without a cursor meanwhile, the layout proceeds lazily, a screenful first.
    m_edit->setTextCursor(QTextCursor());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    document.clear();
    cursor.setPosition(0);
    cursor.setBlockCharFormat(toQtFormat(m_default));
    m_writer.insert(cursor, content);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
    document.setModified(false);
    m_edit->setTextCursor(QTextCursor(&document));
    m_edit->verticalScrollBar()->setValue(0);
    m_edit->horizontalScrollBar()->setValue(0);
}

text::CharFormat QtRichTextBox::defaultFormat() const { return m_default; }

// ---- Selection

std::size_t QtRichTextBox::selStart() const {
    return toTextPosition(*m_edit->document(), m_edit->textCursor().selectionStart());
}

void QtRichTextBox::setSelStart(std::size_t start) {
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(toDocumentPosition(*m_edit->document(), start, Rounding::Down));
    m_edit->setTextCursor(cursor);
}

std::size_t QtRichTextBox::selLength() const {
    const QTextDocument& document = *m_edit->document();
    const QTextCursor cursor = m_edit->textCursor();
    return toTextPosition(document, cursor.selectionEnd()) -
           toTextPosition(document, cursor.selectionStart());
}

void QtRichTextBox::setSelLength(std::size_t length) {
    const QTextDocument& document = *m_edit->document();
    QTextCursor cursor = m_edit->textCursor();
    const int start = cursor.selectionStart();
    const std::size_t textStart = toTextPosition(document, start);
    const std::size_t textEnd = textStart + std::min(length, textLength(document) - textStart);
    cursor.setPosition(start);
    cursor.setPosition(toDocumentPosition(document, textEnd, Rounding::Up),
                       QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

std::u16string QtRichTextBox::selText() const {
    const QTextCursor cursor = m_edit->textCursor();
    return readPlain(*m_edit->document(), cursor.selectionStart(), cursor.selectionEnd());
}

void QtRichTextBox::setSelText(std::u16string_view text) {
    const text::CharFormat format = selFormat();
    QTextCursor cursor = m_edit->textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    m_writer.insert(cursor, text, format);
    cursor.endEditBlock();
    m_edit->setTextCursor(cursor);
}

// ---- Format

text::CharFormat QtRichTextBox::selFormat() const {
    const QTextCursor cursor = m_edit->textCursor();
    // With a selection, its first character; at the caret, what typing would use.
    const QTextCharFormat format =
        cursor.hasSelection() ? formatOfCharAt(*m_edit->document(), cursor.selectionStart())
                              : cursor.charFormat();
    return fromQtFormat(format, m_default);
}

void QtRichTextBox::mergeFormat(const QTextCharFormat& change) {
    // With a selection this formats it (one undo step); without, the text typed next.
    m_edit->mergeCurrentCharFormat(change);
}

void QtRichTextBox::setSelFontName(std::u16string_view name) {
    QTextCharFormat change;
    change.setFontFamilies(QStringList{toQString(name)});
    mergeFormat(change);
}

void QtRichTextBox::setSelFontSize(float points) {
    QTextCharFormat change;
    change.setFontPointSize(points);
    mergeFormat(change);
}

void QtRichTextBox::setSelBold(bool on) {
    QTextCharFormat change;
    change.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(change);
}

void QtRichTextBox::setSelItalic(bool on) {
    QTextCharFormat change;
    change.setFontItalic(on);
    mergeFormat(change);
}

void QtRichTextBox::setSelStrikethrough(bool on) {
    QTextCharFormat change;
    change.setFontStrikeOut(on);
    mergeFormat(change);
}

void QtRichTextBox::setSelUnderline(bool on) {
    QTextCharFormat change;
    change.setFontUnderline(on);
    mergeFormat(change);
}

void QtRichTextBox::setSelColour(text::Colour colour) {
    QTextCharFormat change;
    change.setForeground(
        QBrush(QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF))));
    mergeFormat(change);
}

}  // namespace pennory::platform::qt
