#include "platform/qt/qt_application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/qt/qt_fonts.h"

// The icons are compiled into this static library; a resource file there must be registered
// by name, outside any namespace.
static void registerPennoryResources() { Q_INIT_RESOURCE(resources); }

namespace pennory::platform::qt {

void installQtTranslations(QCoreApplication& application) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto* translator = new QTranslator(&application);
    if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

void prepareApplication(QApplication& application) {
    installQtTranslations(application);
    installFontSubstitutions();
    // The desktop entry's name, by which a Wayland desktop finds the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("pennory"));
}

QIcon pennoryIcon() {
    static const bool registered = (registerPennoryResources(), true);
    (void)registered;
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/pennory-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/pennory-32.png"), QSize(32, 32));
    return icon;
}

}  // namespace pennory::platform::qt
