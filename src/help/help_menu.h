#pragma once
// The help page, the mail link to the publisher and the about box.

namespace pennory::app {
class Form1;
}

namespace pennory::help {

void openHelpPage(app::Form1& form);
void writeToPublisher(app::Form1& form);
void showAbout(app::Form1& form);

}  // namespace pennory::help
