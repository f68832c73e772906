#pragma once
// Keystrokes written in send-keys notation: ^ Ctrl, + Shift, % Alt before a key; a key is one
// character or a name in braces ({delete}, {z}).

#include <QString>
#include <Qt>
#include <vector>

namespace pennory::platform::qt {

struct KeyStroke {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;  // what the key types; empty with Ctrl or Alt and for named keys
};

// The strokes in order. An unknown name is skipped; an unclosed brace ends the list.
std::vector<KeyStroke> parseKeyString(const QString& keys);

}  // namespace pennory::platform::qt
