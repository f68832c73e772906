// Pennory: the one window on the Qt platform.

#include <QApplication>
#include <cstdlib>

#include "app/form1.h"
#include "app/window_design.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_timers.h"
#include "platform/user_paths.h"

namespace {

// Where the client area's top-left corner opens on the screen, in twips.
constexpr int kClientLeft = 165;
constexpr int kClientTop = 630;

}  // namespace

int main(int argc, char* argv[]) {
    using namespace pennory;
    QApplication application(argc, argv);
    platform::qt::prepareApplication(application);

    platform::qt::QtFactory factory;
    platform::qt::QtServices services(factory.mainWindow());
    factory.setProgramEnded([&services] { return services.program().ended(); });

    platform::qt::QtTimers timers;
    platform::Services composed = services.services();
    composed.timers = &timers;
    composed.recoveryFolder =
        platform::recoveryFolderPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));

    app::Form1 form(factory, composed);
    form.Form_Load();
    factory.window().setGeometry({kClientLeft, kClientTop, app::kClientWidth, app::kClientHeight});
    factory.mainWindow()->showNormal();  // raises Form_Resize
    form.offerRecovery();
    return application.exec();
}
