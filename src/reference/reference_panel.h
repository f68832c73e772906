#pragma once
// The reference picture: opening it after the picture view is shown, and panning it.

namespace pennory::app {
class Form1;
}

namespace pennory::reference {

void openPicture(app::Form1& form);
// Moves the picture to follow the scroll bars' values.
void panHorizontally(app::Form1& form);
void panVertically(app::Form1& form);

}  // namespace pennory::reference
