#include "reference/reference_panel.h"

#include "app/form1.h"

namespace pennory::reference {

void openPicture(app::Form1&) {}
void panHorizontally(app::Form1&) {}
void panVertically(app::Form1&) {}

}  // namespace pennory::reference
