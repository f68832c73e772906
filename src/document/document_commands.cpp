#include "document/document_commands.h"

#include "app/form1.h"

namespace pennory::document {

void newDocument(app::Form1&) {}
void open(app::Form1&) {}
void save(app::Form1&, SaveOrigin) {}
void saveAs(app::Form1&, std::int16_t) {}
void exitProgram(app::Form1&) {}

}  // namespace pennory::document
