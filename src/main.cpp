// Quantiview: the window, or batch mode (--report, --export, --help, --version)
// without one. Any option means batch mode, so an unknown one is a usage error
// and never opens a window.
#include "batch/BatchMemory.h"
#include "batch/BatchMode.h"
#include "core/io/FilePaths.h"
#include "core/io/PlatformFiles.h"
#include "core/model/Session.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "gui/dialogs/AboutWindows.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

void nameProgram()
{
    QCoreApplication::setApplicationName("quantiview");
    QCoreApplication::setApplicationVersion(qv::ProgramVersion);
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QtMessageHandler previousMessageHandler = nullptr;

// Qt's notice that it chose a runtime folder of its own says nothing to a
// batch run's user, who may have no desktop session to give it one.
void dropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    if (previousMessageHandler) {
        previousMessageHandler(type, context, text);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file-size limit a save fails with its message instead of ending the
    // program; a report never lands in a project being saved through a closed stream.
    qv::platform::failWritesPastSizeLimit();
    qv::platform::holdClosedStandardStreams();
    // File names keep their bytes, UTF-8 or not.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromStdU16String(qv::fileNameText(argv[i]));
    }
    if (qv::isBatchInvocation(arguments)) {
        // The platform is chosen before the application object exists.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        previousMessageHandler = qInstallMessageHandler(dropRuntimeFolderNotice);
        qv::keepFreedMemoryForReuse();
        QGuiApplication app(argc, argv);
        nameProgram();
        return qv::runBatch(arguments);
    }

    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "quantiview: there is no display to open the window on (DISPLAY and "
                     "WAYLAND_DISPLAY are not set).\n"
                     "Without a window, --report prints the chart's report and --export OUT "
                     "writes its picture; see 'quantiview --help'.\n");
        return 2;
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
        window.openFromCommandLine(QString::fromLocal8Bit(argv[1]));
    }
    return QApplication::exec();
}
