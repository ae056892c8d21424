// Quantiview: the window, or batch mode (--report, --export, --help, --version)
// without one. Any option means batch mode, so an unknown one is a usage error
// and never opens a window.
#include "batch/BatchMemory.h"
#include "batch/BatchMode.h"
#include "core/model/Session.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "gui/dialogs/AboutWindows.h"

#include <QApplication>
#include <QIcon>

#include <csignal>

namespace {

void nameProgram()
{
    QCoreApplication::setApplicationName("quantiview");
    QCoreApplication::setApplicationVersion(qv::ProgramVersion);
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file-size limit a save fails with its message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (qv::isBatchInvocation(arguments)) {
        // The platform is chosen before the application object exists.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qv::keepFreedMemoryForReuse();
        QGuiApplication app(argc, argv);
        nameProgram();
        return qv::runBatch(arguments);
    }

    QApplication app(argc, argv);
    nameProgram();
    // The desktop matches the window to its menu entry and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QV_APP_ID));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("quantiview"), QIcon(qv::programLogo(256))));
    qv::QtPrompter prompter;
    qv::MainWindow window(prompter);
    window.show();
    if (arguments.size() > 1) {
        window.openFromCommandLine(arguments.at(1));
    }
    return QApplication::exec();
}
