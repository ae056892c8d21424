// The window of Quantiview, loaded by the program when it opens one: batch
// runs never load the widget libraries.
#include "core/model/Session.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "gui/dialogs/AboutWindows.h"

#include <QApplication>
#include <QIcon>

extern "C" __attribute__((visibility("default"))) int quantiviewWindowMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("quantiview");
    QCoreApplication::setApplicationVersion(qv::ProgramVersion);
    // The desktop matches the window to its menu entry and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QV_APP_ID));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("quantiview"), QIcon(qv::programLogo(256))));
    qv::QtPrompter prompter;
    qv::MainWindow window(prompter);
    window.show();
    if (argc > 1) {
        window.openFromCommandLine(QString::fromLocal8Bit(argv[1]));
    }
    return QApplication::exec();
}
