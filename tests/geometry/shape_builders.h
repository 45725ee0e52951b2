#pragma once
// Short ways to write the shapes the geometry tests use.
#include <filesystem>
#include <ostream>
#include <string>

#include <unistd.h>

#include "geometry/shape.h"

namespace dravenor {

// Entities print as their nine fields in failure messages.
inline void PrintTo(const ShapeEntity& e, std::ostream* os)
{
    *os << "{" << e.X1 << ", " << e.Y1 << ", " << e.X2 << ", " << e.Y2 << ", " << e.CX << ", " << e.CY << ", "
        << e.RAD << ", " << e.Nstart << ", " << e.Nend << "}";
}

} // namespace dravenor

namespace dravenor::testing {

inline ShapeEntity lineEntity(double x1, double y1, double x2, double y2)
{
    ShapeEntity e;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    return e;
}

inline ShapeEntity arcEntity(double cx, double cy, double rad, double startDegrees, double endDegrees)
{
    ShapeEntity e;
    e.CX = cx;
    e.CY = cy;
    e.RAD = rad;
    e.Nstart = startDegrees;
    e.Nend = endDegrees;
    return e;
}

// Counter-clockwise rectangle of four lines from (x, y).
inline Shape rectangle(double x, double y, double w, double h)
{
    return {lineEntity(x, y, x + w, y), lineEntity(x + w, y, x + w, y + h),
            lineEntity(x + w, y + h, x, y + h), lineEntity(x, y + h, x, y)};
}

inline void append(Shape& to, const Shape& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

inline std::string testDataPath(const std::string& name)
{
    return std::string(DRAVENOR_TEST_DATA) + "/geometry/" + name;
}

// A fresh empty folder under the system's temporary folder (one per process, so parallel test
// runs do not meet), removed again at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("dravenor-geometry-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace dravenor::testing
