// Pennory: the one window on the Qt platform.

#include <QApplication>
#include <cstdlib>

#include "app/form1.h"
#include "app/window_design.h"
#include "document/document_commands.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_command_line.h"
#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_timers.h"
#include "platform/files/user_paths.h"

namespace {

// Where the client area's top-left corner opens on the screen, in twips.
constexpr int kClientLeft = 165;
constexpr int kClientTop = 630;

}  // namespace

int main(int argc, char* argv[]) {
    using namespace pennory;
    const QString file = platform::qt::fileFromCommandLine(argc, argv);
    QApplication application(argc, argv);
    platform::qt::prepareApplication(application);

    platform::qt::QtFactory factory;
    platform::qt::QtServices services(factory.mainWindow());
    factory.setProgramEnded([&services] { return services.program().ended(); });

    platform::qt::QtTimers timers;
    platform::Services composed = services.services();
    composed.timers = &timers;
    composed.recoveryFolder =
        files::recoveryFolderPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));

    app::Form1 form(factory, composed);
    form.Form_Load();
    factory.window().setGeometry({kClientLeft, kClientTop, app::kClientWidth, app::kClientHeight});
    factory.mainWindow()->showNormal();  // raises Form_Resize
    const bool recovered = form.offerRecovery();
    // A recovered manuscript stays; the writer opens the file once it is saved.
    if (!file.isEmpty() && !recovered) {
        // Once the window is up, so that a message about the file stands over it.
        QMetaObject::invokeMethod(
            &application, [&form, &file] { document::openFile(form, platform::qt::toU16(file)); },
            Qt::QueuedConnection);
    }
    return application.exec();
}
