#include "input/text_format.h"

#include "app/form1.h"

namespace pennory::input {

void textFont(app::Form1&) {}
void textColour(app::Form1&) {}

}  // namespace pennory::input
