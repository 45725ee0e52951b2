#pragma once
// Runs the batch tool in-process (runTool) and as the real executable, capturing both streams.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "cli/command.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor::testing {

struct ToolRun {
    int code = -1;
    std::string out, err;
};

inline ToolRun runInProcess(const cli::Args& args)
{
    std::ostringstream out, err;
    ToolRun r;
    r.code = cli::runTool(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline ToolRun runExecutable(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(DRAVENOR_CLI), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

// Saves the shape as a shape file in the folder and returns its path.
inline std::string savedShape(const TempFolder& dir, const std::string& name, const Shape& shape)
{
    EXPECT_EQ(saveShapeFile(shape, dir.file(name)), "");
    return dir.file(name);
}

inline std::string examplePath(const std::string& relative)
{
    return std::string(DRAVENOR_RESOURCE_DIR) + "/examples/" + relative;
}

} // namespace dravenor::testing
