#pragma once
// Everything Form1 needs, in memory: the controls and the scripted services.

#include "platform/headless/headless_factory.h"
#include "platform/headless/recording_find_panel.h"
#include "platform/headless/scripted_output.h"
#include "platform/headless/scripted_services.h"
#include "platform/headless/scripted_timers.h"

namespace pennory::platform::headless {

struct HeadlessPlatform {
    HeadlessFactory factory;
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    MemoryClipboard clipboard;
    HeadlessKeys keys{factory.focus()};
    RecordingShell shell;
    HeadlessProgram program;
    ScriptedTimers timers;
    ScriptedDocumentOutput output;
    RecordingFindPanel findPanel;
    // Empty: no recovery copies, unless a test gives a folder.
    std::filesystem::path recoveryFolder;

    Services services() {
        return {dialogs, messages, clipboard, keys, shell, program, &timers, recoveryFolder,
                &output, &findPanel};
    }
};

}  // namespace pennory::platform::headless
