#pragma once
// The program's window for the Qt benchmarks: shown at 900 x 650, with scripted answers in
// place of a person. With a recovery folder it also keeps recovery copies, on Qt's timers,
// as the program does; the folder goes with the window.

#include <QApplication>
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/form1.h"
#include "platform/headless/scripted_services.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_timers.h"

namespace pennory::bench {

struct BenchWindow {
    explicit BenchWindow(std::filesystem::path recoveryFolder = {})
        : recovery(std::move(recoveryFolder)) {
        if (!recovery.empty()) std::filesystem::create_directories(recovery);
        factory = std::make_unique<platform::qt::QtFactory>();
        form = std::make_unique<app::Form1>(
            *factory, platform::Services{dialogs, messages, clipboard, keys, shell, program,
                                         recovery.empty() ? nullptr : &timers, recovery});
        form->Form_Load();
        factory->mainWindow()->resize(900, 650);
        factory->mainWindow()->show();
        QApplication::processEvents();
    }
    ~BenchWindow() {
        form.reset();
        factory.reset();
        std::error_code ignored;
        if (!recovery.empty()) std::filesystem::remove_all(recovery, ignored);
    }

    platform::headless::ScriptedDialogs dialogs;
    platform::headless::ScriptedMessages messages;
    platform::qt::QtClipboard clipboard;
    platform::qt::QtKeys keys;
    platform::headless::RecordingShell shell;
    platform::headless::HeadlessProgram program;
    platform::qt::QtTimers timers;
    std::filesystem::path recovery;
    std::unique_ptr<platform::qt::QtFactory> factory;
    std::unique_ptr<app::Form1> form;
};

}  // namespace pennory::bench
