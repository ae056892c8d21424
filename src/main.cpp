// Quantiview: the window, or batch mode (--report, --export, --help, --version)
// without one. Any option means batch mode, so an unknown one is a usage error
// and never opens a window.
#include "batch/BatchMemory.h"
#include "batch/BatchMode.h"
#include "core/io/FilePaths.h"
#include "core/io/PlatformFiles.h"
#include "core/model/Session.h"

#include <QGuiApplication>

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>

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

// Loads the window's library (beside the program in its build folder, or where
// it is installed) and opens the window; batch runs never load it, nor the
// widget libraries it brings.
int runWindow(int argc, char** argv)
{
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::string tried;
    for (const std::filesystem::path& path :
         {folder / "quantiview-window.so", (folder / QV_WINDOW_MODULE).lexically_normal()}) {
        if (void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            using WindowMain = int (*)(int, char**);
            if (auto* windowMain =
                    reinterpret_cast<WindowMain>(dlsym(library, "quantiviewWindowMain"))) {
                return windowMain(argc, argv);
            }
        }
        if (const char* why = dlerror()) {
            tried += std::string("\n  ") + why;
        }
    }
    std::fprintf(stderr,
                 "quantiview: the window's library could not be loaded:%s\n"
                 "Batch mode still works; see 'quantiview --help'.\n",
                 tried.c_str());
    return 2;
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
    return runWindow(argc, argv);
}
