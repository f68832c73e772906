#include "platform/qt/qt_command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "pennory_version.h"
#include "platform/qt/qt_application.h"

namespace pennory::platform::qt {

QString fileFromCommandLine(int argc, char* argv[]) {
    // A core application of its own: it needs no display, and it is gone before the window's
    // application is made.
    QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pennory"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PENNORY_VERSION));
    installQtTranslations(reader);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pennory 电子制作写稿助手"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示本帮助后退出。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本后退出。"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("文件"),
                                 QStringLiteral("打开到文稿编辑区的文稿（RTF 或文本文件）。"),
                                 QStringLiteral("[文件]"));

    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        std::exit(1);
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("只能打开一个文件。")));
        std::exit(1);
    }
    return files.isEmpty() ? QString() : QFileInfo(files.front()).absoluteFilePath();
}

}  // namespace pennory::platform::qt
