// dravenor-cli: the batch tool. Runs without a display: pictures are drawn offscreen.
#include <QGuiApplication>
#include <iostream>

#include "cli/command.h"

namespace {

// Qt's own notices about the offscreen platform (runtime folder, fonts) are not the user's
// business; the tool reports its own errors in one line each.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The same per-user working folder (and so the same stock) as the window's.
    QGuiApplication::setApplicationName(QStringLiteral("Dravenor"));
    dravenor::cli::Args args(argv + 1, argv + argc);
    return dravenor::cli::runTool(args, std::cout, std::cerr);
}
