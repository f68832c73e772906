// The recovery copy in the real window with real timers: a run of this test program types
// into the window and is killed with SIGKILL once its copy is written; the next start in
// this process is offered the copy and gets the very same text back; a normal end leaves no
// copy.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTextEdit>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/form1.h"
#include "app/window_design.h"
#include "platform/files/recovery_folder.h"
#include "platform/files/temp_folder.h"
#include "platform/headless/scripted_services.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_timers.h"
#include "typing.h"

namespace pennory::testing {
namespace {

const QString kTyped = QStringLiteral("崩溃前写的第一段，用CD4011。\n第二段 with Latin words");
const std::u16string kTypedText = u"崩溃前写的第一段，用CD4011。\r\n第二段 with Latin words";

// Form1 on Qt as main() composes it: real timers, a recovery folder, scripted answers.
struct QtRun {
    QtRun(const std::filesystem::path& folder, int answer) {
        messages.nextAnswer(answer);
        platform::Services services{dialogs, messages, clipboard, keys, shell, program};
        services.timers = &timers;
        services.recoveryFolder = folder;
        factory = std::make_unique<platform::qt::QtFactory>();
        form = std::make_unique<app::Form1>(*factory, services);
        form->Form_Load();
        factory->window().setGeometry({165, 630, app::kClientWidth, app::kClientHeight});
        factory->mainWindow()->showNormal();
        factory->mainWindow()->activateWindow();
        form->offerRecovery();
    }
    ~QtRun() {
        form.reset();
        factory.reset();
    }
    QTextEdit* editor() {
        return qobject_cast<QTextEdit*>(platform::qt::QtFactory::widgetOf(form->RichTextBox1()));
    }

    platform::headless::ScriptedDialogs dialogs;
    platform::headless::ScriptedMessages messages;
    platform::qt::QtClipboard clipboard;
    platform::qt::QtKeys keys;
    platform::headless::RecordingShell shell;
    platform::headless::HeadlessProgram program;
    platform::qt::QtTimers timers;
    std::unique_ptr<platform::qt::QtFactory> factory;
    std::unique_ptr<app::Form1> form;
};

int rtfCount(const std::filesystem::path& folder) {
    int count = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        count += entry.path().extension() == ".rtf";
    }
    return count;
}

// Run only as the child of the test below.
TEST(QtRecoveryChild, DISABLED_TypesAndWaitsToBeKilled) {
    const char* folder = std::getenv("PENNORY_TEST_RECOVERY_FOLDER");
    ASSERT_NE(folder, nullptr);
    QtRun run(folder, platform::vbNo);
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.factory->mainWindow()));
    run.editor()->setFocus();
    typeText(run.editor(), kTyped);
    // The copy is written two seconds after the last key; then wait for the kill.
    for (;;) QTest::qWait(100);
}

TEST(QtRecovery, TheRealWindowKilledAfterTypingGetsEveryWordBack) {
    files::testing::TempFolder dir;
    const auto folder = dir.path() / "state" / "pennory";

    QProcess child;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PENNORY_TEST_RECOVERY_FOLDER"),
                       QString::fromStdString(folder.string()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=QtRecoveryChild.*")});
    ASSERT_TRUE(child.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (rtfCount(folder) == 0 && waited.elapsed() < 60000 &&
           child.state() == QProcess::Running) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(rtfCount(folder), 1) << child.readAllStandardOutput().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    {
        QtRun next(folder, platform::vbYes);
        ASSERT_EQ(next.messages.shown().size(), 1u);
        EXPECT_EQ(next.messages.shown()[0].prompt, u"上次没有正常退出。要恢复未保存的文稿吗？");
        EXPECT_EQ(next.form->RichTextBox1().text(), kTypedText);
        EXPECT_EQ(next.form->window().caption(), u"Pennory --恢复的文稿");
        EXPECT_EQ(rtfCount(folder), 1);  // its own copy now
    }
    EXPECT_EQ(rtfCount(folder), 0) << "a normal end leaves a copy";
}

// The program itself, started with a copy left behind: it takes the copy to ask about it
// (others are not offered it meanwhile), and killed before an answer it loses nothing.
TEST(QtRecovery, TheProgramOffersALeftCopyAndKilledWhileAskingLosesNothing) {
    files::testing::TempFolder dir;
    const auto folder = dir.path() / "pennory";
    std::filesystem::create_directories(folder);
    const std::string rtf = "{\\rtf1\\ansi left behind}";
    files::testing::putFile(folder / "recovery-999999.rtf", rtf);

    QProcess program;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromStdString(dir.path()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PENNORY_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    // Looking without locking: the program makes the lock file when it takes the copy up.
    while (!std::filesystem::exists(folder / "recovery-999999.lock") && waited.elapsed() < 60000 &&
           program.state() == QProcess::Running) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(files::abandonedCopies(folder).empty()) << "the program did not take up the copy";
    ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
    ASSERT_TRUE(program.waitForFinished());

    const auto copies = files::abandonedCopies(folder);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(files::testing::contentsOf(copies[0].copy), rtf);
}

}  // namespace
}  // namespace pennory::testing
