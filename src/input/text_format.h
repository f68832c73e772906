#pragma once
// Font and colour of the manuscript's selection, through the shared common dialog.

namespace pennory::app {
class Form1;
}

namespace pennory::input {

void textFont(app::Form1& form);
void textColour(app::Form1& form);

}  // namespace pennory::input
