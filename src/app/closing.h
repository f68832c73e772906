#pragma once

namespace pennory::app {

class Form1;

// The close prompt. Returns true to keep the window open.
bool queryUnload(Form1& form);

}  // namespace pennory::app
