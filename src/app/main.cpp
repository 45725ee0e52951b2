// Dravenor's entry: one copy at a time, a splash while the main window is built, then the main
// window until the user closes it.
//
// A job file named on the command line (as a file manager passes it) is opened once the window
// is built.
//
// A second start ends at once with "Dravenor is already running": always written to stderr,
// and shown in an information box as well when windows can be seen (not on the "offscreen" or
// "minimal" platforms, where a box would wait for a click nobody can give).
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <memory>
#include <string>

#include "app/app_info.h"
#include "app/main_window.h"
#include "app/qt_dialog_service.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "app/working_folder.h"

namespace {

bool windowsCanBeSeen()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal");
}

void reportAlreadyRunning()
{
    const QString text = dravenor::appTitle() + QStringLiteral(" is already running");
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (windowsCanBeSeen()) QMessageBox::information(nullptr, dravenor::appTitle(), text);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace dravenor;
    // Answered before a window or a display is needed.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::printf("dravenor %s\n", DRAVENOR_VERSION);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::printf("Usage: dravenor [JOB.nst]\n"
                        "Dravenor, two-dimensional profile nesting: opens the window, with the job file when one\n"
                        "is given (its layouts shown). Only one window runs at a time.\n"
                        "The batch tool dravenor-cli does the main jobs without a window.\n\n"
                        "  --help      this text\n"
                        "  --version   the version\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(appTitle());
    QApplication::setApplicationVersion(appVersion());

    SingleInstanceGuard guard(appTitle(), SingleInstanceGuard::defaultLockFolder());
    if (!guard.tryAcquire()) {
        reportAlreadyRunning();
        return 0;
    }

    // Named before the working folder becomes the current one.
    const QStringList arguments = QCoreApplication::arguments();
    const QString jobFile = arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();

    const QString workingFolder = prepareWorkingFolder(QCoreApplication::applicationDirPath());
    // Working files are always named from the working folder; being there too keeps any
    // relative name the user types pointing at the same place.
    QDir::setCurrent(workingFolder);

    QtDialogService dialogs(workingFolder);
    std::unique_ptr<MainWindow> mainWindow;
    SplashWindow splash([&]() -> QWidget* {
        mainWindow = std::make_unique<MainWindow>(dialogs, workingFolder);
        dialogs.setParentWidget(mainWindow.get());
        if (!jobFile.isEmpty()) mainWindow->openJobFile(jobFile.toStdString());
        return mainWindow.get();
    });
    splash.begin();
    return app.exec();
}
