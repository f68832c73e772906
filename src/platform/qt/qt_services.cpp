#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <cstdlib>

#include "platform/qt/qt_rich_text_document.h"
#include "platform/common_dialog.h"
#include "platform/user_paths.h"

namespace pennory::platform::qt {

namespace {

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}


}  // namespace

QColor toQColor(text::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

text::Colour fromQColor(const QColor& colour) {
    return text::rgb(colour.red(), colour.green(), colour.blue());
}

// ---- File dialogs

QStringList qtNameFilters(const std::vector<FileFilter>& entries) {
    // Qt matches the patterns in a filter's last parentheses, separated by blanks, and with
    // QFileDialog::HideNameFilterDetails shows only what stands before them: the label.
    QStringList filters;
    for (const auto& entry : entries) {
        QStringList patterns;
        for (const QString& pattern : toQString(entry.pattern).split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty()) continue;
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        filters << toQString(entry.label) + QStringLiteral(" (") + patterns.join(u' ') +
                       QStringLiteral(")");
    }
    return filters;
}

std::optional<std::u16string> QtDialogs::showFile(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_owner, toQString(request.title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      (save ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options()));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString());  // the file is written under the name as given

    const QStringList filters = qtNameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex;
        dialog.selectNameFilter(filters.at(index >= 1 && index <= filters.size() ? index - 1 : 0));
    }
    if (!request.fileName.empty()) {
        const QFileInfo file(toQString(request.fileName));
        if (file.absoluteDir().exists()) dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return toU16(chosen.first());
}

std::optional<std::u16string> QtDialogs::showOpen(const FileDialogRequest& request) {
    return showFile(request, false);
}

std::optional<std::u16string> QtDialogs::showSave(const FileDialogRequest& request) {
    return showFile(request, true);
}

// ---- Font and colour

std::optional<FontChoice> QtDialogs::showFont(const FontChoice& initial, int flags) {
    QFont font;
    font.setFamilies(QStringList{toQString(initial.name)});
    if (initial.size > 0) font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikethrough);

    QFontDialog dialog(m_owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(font);
    const bool effects = (flags & kFontEffects) != 0;
    if (!effects) {
        // The effects group is the one holding the strikeout and underline boxes.
        for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
            if (!group->findChildren<QCheckBox*>().isEmpty()) group->hide();
        }
    }
    // The dialog lists installed faces and whole sizes only: what the writer leaves as the
    // dialog first showed it keeps the value it came with ("宋体", 10.5).
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = dialog.selectedFont();

    FontChoice out = initial;
    if (chosen.family() != shown.family()) out.name = toU16(chosen.family());
    if (chosen.pointSizeF() != shown.pointSizeF())
        out.size = static_cast<float>(chosen.pointSizeF());
    if (chosen.bold() != shown.bold()) out.bold = chosen.bold();
    if (chosen.italic() != shown.italic()) out.italic = chosen.italic();
    if (effects) {
        out.underline = chosen.underline();
        out.strikethrough = chosen.strikeOut();
    }
    return out;
}

std::optional<text::Colour> QtDialogs::showColor(text::Colour initial, int /*flags*/) {
    QColorDialog dialog(toQColor(initial), m_owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

// ---- Message and input boxes

namespace {

// A message box that, when told so, cannot be dismissed without choosing a button.
class MessageBox : public QMessageBox {
public:
    MessageBox(QWidget* parent, bool mustChoose) : QMessageBox(parent), m_mustChoose(mustChoose) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (m_mustChoose && event->matches(QKeySequence::Cancel)) return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        // A button's own close never arrives here (QDialog::done filters it).
        if (m_mustChoose) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_mustChoose;
};

}  // namespace

int QtMessages::msgBox(std::u16string_view prompt, int style, std::u16string_view title) {
    const int buttons = style & ~vbDefaultButton2;
    MessageBox box(m_owner, buttons == vbYesNo);
    box.setWindowTitle(title.empty() ? QStringLiteral("Pennory") : toQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(prompt));
    box.setIcon(QMessageBox::NoIcon);
    switch (buttons) {
        case vbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton((style & vbDefaultButton2) != 0 ? QMessageBox::No
                                                                 : QMessageBox::Yes);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        case QMessageBox::Ok:
            return vbOK;
        default:
            return style == vbYesNoCancel || style == vbYesNo ? vbCancel : vbOK;
    }
}

std::u16string QtMessages::inputBox(std::u16string_view prompt, bool masked) {
    QInputDialog dialog(m_owner);
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput, false);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QStringLiteral("Pennory"));
    dialog.setLabelText(toQString(prompt));
    dialog.setTextValue(QString());
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    if (dialog.exec() != QDialog::Accepted) return {};
    return toU16(dialog.textValue());
}

// ---- Clipboard

namespace {

QClipboard* systemClipboard() { return qApp ? QGuiApplication::clipboard() : nullptr; }

}  // namespace

bool QtClipboard::clear() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    clipboard->clear();
    return true;
}

bool QtClipboard::setText(std::u16string_view text) {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return false;
    clipboard->setText(toQString(text));
    return true;
}

std::optional<std::u16string> QtClipboard::text() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText()) return std::u16string();
    return toU16(data->text());
}

// ---- Keys

namespace {

struct KeyStroke {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

int namedKey(const QString& name) {
    static const std::pair<const char*, int> names[] = {
        {"delete", Qt::Key_Delete}, {"del", Qt::Key_Delete},    {"backspace", Qt::Key_Backspace},
        {"bs", Qt::Key_Backspace},  {"enter", Qt::Key_Return},  {"tab", Qt::Key_Tab},
        {"esc", Qt::Key_Escape},    {"escape", Qt::Key_Escape}, {"home", Qt::Key_Home},
        {"end", Qt::Key_End},       {"left", Qt::Key_Left},     {"right", Qt::Key_Right},
        {"up", Qt::Key_Up},         {"down", Qt::Key_Down},     {"insert", Qt::Key_Insert},
        {"pgup", Qt::Key_PageUp},   {"pgdn", Qt::Key_PageDown},
    };
    const QString lower = name.toLower();
    for (const auto& [text, key] : names) {
        if (lower == QLatin1String(text)) return key;
    }
    return 0;
}

// Send-keys notation: ^ Ctrl, + Shift, % Alt before a key; a key is one character or a
// name in braces ({delete}, {z}).
std::vector<KeyStroke> parseKeys(const QString& keys) {
    std::vector<KeyStroke> out;
    Qt::KeyboardModifiers modifiers;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == u'^') {
            modifiers |= Qt::ControlModifier;
            continue;
        }
        if (c == u'+') {
            modifiers |= Qt::ShiftModifier;
            continue;
        }
        if (c == u'%') {
            modifiers |= Qt::AltModifier;
            continue;
        }
        QString name(c);
        if (c == u'{') {
            const qsizetype close = keys.indexOf(u'}', i + 2);  // "{}}" names the brace
            if (close < 0) break;
            name = keys.mid(i + 1, close - i - 1);
            i = close;
        }
        KeyStroke stroke;
        stroke.modifiers = modifiers;
        if (name.size() == 1) {
            const QChar key = name.at(0).toUpper();
            stroke.key = key.unicode();
            if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) stroke.text = name;
        } else {
            stroke.key = namedKey(name);
        }
        if (stroke.key) out.push_back(stroke);
        modifiers = {};
    }
    return out;
}

}  // namespace

void QtKeys::sendKeys(std::u16string_view keys) {
    for (const KeyStroke& stroke : parseKeys(toQString(keys))) {
        // Looked up per key: a key may move the focus.
        QWidget* target = QApplication::focusWidget();
        if (!target) return;
        QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &release);
    }
}

// ---- Shell

QtShell::QtShell(Opener opener) : m_open(std::move(opener)) {
    if (!m_open) m_open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

void QtShell::shellExecute(std::u16string_view operation, std::u16string_view file,
                           std::u16string_view /*parameters*/,
                           const std::filesystem::path& directory, int /*showCommand*/) {
    if (!operation.empty() && operation != u"open") return;
    const QString name = toQString(file);
    if (name.isEmpty()) return;
    // A scheme of one letter would be a drive, not a link.
    const QUrl url(name, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        m_open(url);
        return;
    }
    const std::filesystem::path path = directory / toPath(name);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return;
    m_open(QUrl::fromLocalFile(fromPath(path)));
}

// ---- Program

void QtProgram::end() {
    m_ended = true;
    // exit rather than quit: quit would first ask every window to close, and a closing
    // window asks whether to save.
    if (qApp) {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
}

std::filesystem::path QtProgram::executableDir() const {
    return toPath(QCoreApplication::applicationDirPath());
}

std::filesystem::path QtProgram::dataDir() const { return PENNORY_DATA_DIR; }

std::filesystem::path QtProgram::passwordFile() const {
    return passwordFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

// ---- All of them

QtServices::QtServices(QWidget* owner) : m_dialogs(owner), m_messages(owner) {}

void QtServices::setOwner(QWidget* owner) {
    m_dialogs.setOwner(owner);
    m_messages.setOwner(owner);
}

}  // namespace pennory::platform::qt
