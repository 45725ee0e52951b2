#include "scale_jobs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace fs = std::filesystem;

namespace dravenor::bench {

namespace {

constexpr std::uint64_t kSeed = 20240611;

// Numbers from the engine's raw output only, so that the jobs do not depend on how a standard
// library draws its distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    double between(double low, double high) { return low + (high - low) * static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    int below(int n) { return static_cast<int>(between(0, n)); }

private:
    std::mt19937_64 engine_;
};

struct Point {
    double x, y;
};

void addLine(Shape& shape, Point a, Point b) { shape.push_back({a.x, a.y, b.x, b.y, 0, 0, 0, 0, 0}); }

void addPolygon(Shape& shape, const std::vector<Point>& points)
{
    for (std::size_t i = 0; i < points.size(); ++i) addLine(shape, points[i], points[(i + 1) % points.size()]);
}

// A W x H rectangle whose corners are kept, cut off straight or cut out as a step, at least one
// of them not kept; every cut stays within 30 % of each side, so the middle of the sheet (30-70 %
// both ways) stays whole for the holes.
std::vector<Point> offcutOutline(Random& random, double w, double h)
{
    const Point corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    int kinds[4];
    for (int& k : kinds) k = random.below(3);
    if (kinds[0] == 0 && kinds[1] == 0 && kinds[2] == 0 && kinds[3] == 0) kinds[random.below(4)] = 2;
    std::vector<Point> outline;
    for (int c = 0; c < 4; ++c) {
        const Point p = corners[c], prev = corners[(c + 3) % 4], next = corners[(c + 1) % 4];
        const double toPrev = random.between(0.1, 0.3), toNext = random.between(0.1, 0.3);
        const Point a{p.x + (prev.x - p.x) * toPrev, p.y + (prev.y - p.y) * toPrev};
        const Point b{p.x + (next.x - p.x) * toNext, p.y + (next.y - p.y) * toNext};
        if (kinds[c] == 0) outline.push_back(p);
        else if (kinds[c] == 1) outline.insert(outline.end(), {a, b});
        else outline.insert(outline.end(), {a, {a.x + b.x - p.x, a.y + b.y - p.y}, b});
    }
    return outline;
}

// One or two holes (circles or rectangles, 80 to 300 mm across) somewhere in the middle of the
// sheet, one per half of it when there are two.
void addHoles(Random& random, Shape& shape, double w, double h)
{
    const int count = 1 + random.below(2);
    const bool alongX = w >= h;
    for (int i = 0; i < count; ++i) {
        double x0 = 0.3 * w, y0 = 0.3 * h, cw = 0.4 * w, ch = 0.4 * h;
        if (count == 2) {
            if (alongX) cw /= 2, x0 += i * cw;
            else ch /= 2, y0 += i * ch;
        }
        // Half sizes within the cell; the centre anywhere that keeps the hole in it.
        const double most = std::min(150.0, 0.45 * std::min(cw, ch));
        const double hw = random.between(40, most), hh = random.below(2) == 0 ? hw : random.between(40, most);
        const Point c{random.between(x0 + hw, x0 + cw - hw), random.between(y0 + hh, y0 + ch - hh)};
        if (hw == hh) shape.push_back({0, 0, 0, 0, c.x, c.y, hw, 0, 0});
        else addPolygon(shape, {{c.x - hw, c.y - hh}, {c.x - hw, c.y + hh}, {c.x + hw, c.y + hh}, {c.x + hw, c.y - hh}});
    }
}

Shape scaled(const Shape& shape, double factor)
{
    Shape out = shape;
    for (ShapeEntity& e : out)
        for (double* v : {&e.X1, &e.Y1, &e.X2, &e.Y2, &e.CX, &e.CY, &e.RAD}) *v *= factor;
    return out;
}

double largerSide(const Shape& shape)
{
    double w = 0, h = 0;
    for (const ShapeEntity& e : shape) {
        const double r = e.RAD;
        w = std::max({w, e.X1, e.X2, e.CX + r});
        h = std::max({h, e.Y1, e.Y2, e.CY + r});
    }
    return std::max(w, h);
}

struct PartType {
    Shape shape;
    std::string name;
    int qty = 0;
    std::string orn;
    double area = 0;
};

// `count` types, each a source shape scaled so that its larger side is between the sizes given.
std::vector<PartType> partTypes(Random& random, const std::vector<Shape>& sources, const std::vector<std::string>& names,
                                int count, double smallest, double largest)
{
    static const char* const orientations[] = {"", "", "", "step90", "step90", "No"};
    std::vector<PartType> types;
    for (int t = 0; t < count; ++t) {
        const int s = random.below(static_cast<int>(sources.size()));
        PartType type;
        type.shape = scaled(sources[s], random.between(smallest, largest) / largerSide(sources[s]));
        type.name = std::string("t").append(std::to_string(t + 1)).append("-").append(names[s]).append(".shp");
        type.orn = orientations[random.below(6)];
        type.area = enclosedArea(type.shape);
        types.push_back(type);
    }
    return types;
}

// Splits `total` parts over the types: at least `least` each, the rest by random weights.
void shareQuantities(Random& random, std::vector<PartType>& types, int total, int least)
{
    std::vector<double> weights;
    double sum = 0;
    for (std::size_t i = 0; i < types.size(); ++i) sum += weights.emplace_back(random.between(0.1, 1));
    int given = 0;
    for (std::size_t i = 0; i < types.size(); ++i)
        given += types[i].qty = least + static_cast<int>((total - least * static_cast<int>(types.size())) * weights[i] / sum);
    for (std::size_t i = 0; given < total; ++i, ++given) ++types[i % types.size()].qty;
}

void save(const Shape& shape, const fs::path& file)
{
    const std::string error = saveShapeFile(shape, file.string());
    if (!error.empty()) throw std::runtime_error(error);
}

struct SheetRow {
    std::string file;
    int qty;
};

fs::path writeJob(const fs::path& folder, const std::vector<SheetRow>& sheets, const std::vector<PartType>& parts)
{
    fs::create_directories(folder / "parts");
    std::ofstream args(folder / "job.args", std::ios::binary);
    args << "--mat\nS235\n--thick\n10\n--kerf\n3\n";
    for (const SheetRow& s : sheets) args << "--sheet\nsheets/" << s.file << ":" << s.qty << ":0\n";
    for (const PartType& p : parts) {
        save(p.shape, folder / "parts" / p.name);
        args << "--part\nparts/" << p.name << ":" << p.qty << ":0" << (p.orn.empty() ? "" : ":" + p.orn) << "\n";
    }
    if (!args) throw std::runtime_error("cannot write " + (folder / "job.args").string());
    return folder / "job.args";
}

fs::path writeOffcuts(Random& random, const fs::path& folder, const std::vector<Shape>& sources,
                      const std::vector<std::string>& names)
{
    fs::create_directories(folder / "sheets");
    std::vector<SheetRow> sheets;
    double sheetArea = 0;
    for (int i = 1; i <= 12; ++i) {
        // Sides from 600 to 2000 mm, smaller ones more often (u squared), as offcuts come.
        auto side = [&] { return std::round(600 + 1400 * std::pow(random.between(0, 1), 2)); };
        const double w = side(), h = side();
        Shape sheet;
        addPolygon(sheet, offcutOutline(random, w, h));
        addHoles(random, sheet, w, h);
        sheetArea += enclosedArea(sheet);
        const std::string file = "offcut-" + std::to_string(i) + ".shp";
        save(sheet, folder / "sheets" / file);
        sheets.push_back({file, 1});
    }
    std::vector<PartType> parts = partTypes(random, sources, names, 16, 400, 1000);
    shareQuantities(random, parts, 50, 1);
    // One factor for every part, found by halving, so that the parts hold 1.3 times the sheets'
    // area; no part longer than 1000 mm, so that each fits some sheet beside its holes.
    auto limited = [](const PartType& p, double factor) { return std::min(factor, 1000 / largerSide(p.shape)); };
    auto areaAt = [&](double factor) {
        double area = 0;
        for (const PartType& p : parts) area += p.area * p.qty * limited(p, factor) * limited(p, factor);
        return area;
    };
    double low = 0, high = 10;
    for (int step = 0; step < 50; ++step) (areaAt((low + high) / 2) < 1.3 * sheetArea ? low : high) = (low + high) / 2;
    for (PartType& p : parts) p.shape = scaled(p.shape, limited(p, high));
    return writeJob(folder, sheets, parts);
}

fs::path writeMany(Random& random, const fs::path& folder, const std::vector<Shape>& sources,
                   const std::vector<std::string>& names)
{
    fs::create_directories(folder / "sheets");
    std::vector<PartType> parts = partTypes(random, sources, names, 100, 60, 450);
    shareQuantities(random, parts, 2000, 5);
    double partArea = 0;
    for (const PartType& p : parts) partArea += p.area * p.qty;
    std::vector<SheetRow> sheets;
    for (const auto& [w, h] : {std::pair{3000, 1500}, {2500, 1250}, {2000, 1000}}) {
        Shape sheet;
        addPolygon(sheet, {{0, 0}, {double(w), 0}, {double(w), double(h)}, {0, double(h)}});
        const std::string file = "sheet-" + std::to_string(w) + "x" + std::to_string(h) + ".shp";
        save(sheet, folder / "sheets" / file);
        // Each size alone could hold every part twice over.
        sheets.push_back({file, static_cast<int>(std::ceil(2 * partArea / (double(w) * h)))});
    }
    return writeJob(folder, sheets, parts);
}

} // namespace

std::vector<fs::path> partShapeSources(const fs::path& examplesFolder, const fs::path& benchFolder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(examplesFolder / "parts", ec))
        if (e.path().extension() == ".shp") files.push_back(e.path());
    for (const fs::directory_entry& job : fs::directory_iterator(benchFolder, ec))
        for (const fs::directory_entry& e : fs::directory_iterator(job.path() / "parts", ec))
            if (e.path().extension() == ".shp") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::set<std::string> seen;
    std::vector<fs::path> distinct;
    for (const fs::path& file : files) {
        Shape shape;
        loadShape(file.string(), shape);
        if (enclosedArea(shape) > 0 && seen.insert(shapeToFileText(shape)).second) distinct.push_back(file);
    }
    return distinct;
}

ScaleJobFiles writeScaleJobs(const fs::path& folder, const std::vector<fs::path>& sourceFiles)
{
    if (sourceFiles.empty()) throw std::runtime_error("no part shapes to make the jobs from");
    std::vector<Shape> sources;
    std::vector<std::string> names;
    for (const fs::path& file : sourceFiles) {
        loadShape(file.string(), sources.emplace_back());
        names.push_back(file.parent_path().parent_path().filename().string() + "-" + file.stem().string());
    }
    Random random(kSeed);
    ScaleJobFiles files;
    fs::remove_all(folder / "offcuts");
    fs::remove_all(folder / "many");
    files.offcuts = writeOffcuts(random, folder / "offcuts", sources, names);
    files.many = writeMany(random, folder / "many", sources, names);
    return files;
}

} // namespace dravenor::bench
