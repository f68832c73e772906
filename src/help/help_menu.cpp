#include "help/help_menu.h"

#include "app/form1.h"

namespace pennory::help {

void openHelpPage(app::Form1&) {}
void writeToPublisher(app::Form1&) {}
void showAbout(app::Form1&) {}

}  // namespace pennory::help
