#pragma once
// Everything Form1 needs, in memory: the controls and the scripted services.

#include "platform/headless/headless_factory.h"
#include "platform/headless/scripted_services.h"

namespace pennory::platform::headless {

struct HeadlessPlatform {
    HeadlessFactory factory;
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    MemoryClipboard clipboard;
    HeadlessKeys keys{factory.focus()};
    RecordingShell shell;
    HeadlessProgram program;

    Services services() { return {dialogs, messages, clipboard, keys, shell, program}; }
};

}  // namespace pennory::platform::headless
