#include "platform/qt/qt_key_strings.h"

#include <utility>

namespace pennory::platform::qt {

namespace {

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

}  // namespace

std::vector<KeyStroke> parseKeyString(const QString& keys) {
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

}  // namespace pennory::platform::qt
