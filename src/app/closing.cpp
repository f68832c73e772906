#include "app/closing.h"

#include "app/form1.h"

namespace pennory::app {

bool queryUnload(Form1&) { return false; }

}  // namespace pennory::app
