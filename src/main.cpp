// Quantiview: the window, or batch mode (--report, --export) without one.
#include "gui/app/BatchMode.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const bool batch = qv::isBatchInvocation(arguments) || arguments.contains("--help") ||
                       arguments.contains("-h") || arguments.contains("--version");
    if (batch) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("quantiview");
    QApplication::setApplicationVersion("3.0");
    if (batch) {
        return qv::runBatch(arguments);
    }

    qv::QtPrompter prompter;
    qv::MainWindow window(prompter);
    window.show();
    if (arguments.size() > 1) {
        window.openFromCommandLine(arguments.at(1));
    }
    return QApplication::exec();
}
