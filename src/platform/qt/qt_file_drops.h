#pragma once
// Files dragged from a file manager: what a drop carries, and the palette of the boxes that
// hold the writer's text.

#include <QString>
#include <optional>

class QMimeData;
class QWidget;

namespace pennory::platform::qt {

// The first local file among the dragged addresses; nullopt for text or remote addresses.
std::optional<QString> droppedFile(const QMimeData* data);

// The writer's text stays black on paper-white in any desktop theme, as it will be printed:
// for the manuscript editor, the reference text box and the phrase boxes.
void usePaperColours(QWidget* widget);

}  // namespace pennory::platform::qt
