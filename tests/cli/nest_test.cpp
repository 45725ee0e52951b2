// dravenor-cli nest: the result as text and JSON, exit codes by end status, the kerf used, outlines
// drawn densely, saved jobs run again, layout pictures, and Deep Nesting runs; and the batch tool
// under a decimal-comma locale printing and writing byte for byte what C gives. nest --parts-list
// and --parts-dir: other stock named and left out, a bad list naming its lines and nesting
// nothing, and a folder's file names carrying their quantities.
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <limits>
#include <regex>

#include "cli/json_writer.h"
#include "cli/nest_job.h"
#include "cli_test_support.h"
#include "job/job_file.h"
#include "support/ink.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

QJsonObject readJson(const std::string& path)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(TempFolder::read(path))).object();
}

// A folder with a 300 x 300 sheet and a 100 x 50 part; nest runs with kerf 3 and more arguments.
struct SmallJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300));
    std::string part = savedShape(dir, "part.shp", rectangle(0, 0, 100, 50));

    ToolRun nest(const Args& more) const
    {
        Args args{"nest", "--kerf", "3"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    }
};

// The whole result as JSON (what its numbers mean is judged by random_jobs.py and
// check_bench_jobs.py): the status as printed, the kerf used, instances numbered in each layout
// and every layout named by a line of the text.
TEST(NestCommand, OptimisesTheExampleJobAndWritesTheWholeResultAsJson)
{
    TempFolder dir;
    Args args{"nest"};
    for (std::string a : dravenor::cli::readArgsFile(TempFolder::read(examplePath("job.args"))))
        args.push_back(a.rfind("sheets/", 0) == 0 || a.rfind("parts/", 0) == 0 ? examplePath(a) : a);
    args.insert(args.end(), {"--json", dir.file("result.json")});
    const ToolRun r = runInProcess(args);
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    const QJsonObject root = readJson(dir.file("result.json"));
    EXPECT_EQ(root["status"].toString(), "full");
    EXPECT_EQ(root["statusText"].toString().toStdString() + "\n", r.out.substr(0, r.out.find('\n') + 1));
    EXPECT_EQ(root["details"].toObject()["actKerf"].toDouble(), 3);
    EXPECT_TRUE(root["unplaced"].toArray().isEmpty());
    ASSERT_FALSE(root["layouts"].toArray().isEmpty());
    for (const QJsonValue& v : root["layouts"].toArray()) {
        const QJsonObject layout = v.toObject();
        EXPECT_TRUE(contains(r.out, "Layout " + std::to_string(layout["number"].toInt()) + ": " +
                                        layout["sheet"].toString().toStdString() + " x " +
                                        std::to_string(layout["qty"].toInt()) + ", "));
        const QJsonArray instances = layout["instances"].toArray();
        EXPECT_EQ(instances.size(), layout["partsPlaced"].toInt());
        for (int i = 0; i < instances.size(); ++i) EXPECT_EQ(instances[i].toObject()["instance"].toInt(), i + 1);
    }
}

// The exit code follows the end status; right after it the kerf used is said, only when it is
// not the kerf entered.
TEST(NestCommand, ExitCodesFollowTheEndStatusAndTheKerfUsedIsSaidWhenItDiffers)
{
    SmallJob job;
    const std::string huge = savedShape(job.dir, "huge.shp", rectangle(0, 0, 400, 100));
    const std::string large = savedShape(job.dir, "large.shp", rectangle(0, 0, 3000, 1500));
    const std::string tiny = savedShape(job.dir, "tiny.shp", rectangle(0, 0, 3, 3));
    const std::string small = savedShape(job.dir, "small.shp", rectangle(0, 0, 100, 100));
    const std::string full = "Full Optimization Done# [", next = " Seconds]\n";
    const struct { Args args; int code; std::string start, holds; } cases[] = {
        {{"--sheet", job.sheet + ":2", "--part", job.part + ":4"}, 0, full,
         next + "Layout 1: " + job.sheet + " x 1, 4 parts, yield "},
        {{"--sheet", job.sheet, "--part", huge}, 2, "Optimization Failed# [", "Overall yield: 0%"},
        {{"--sheet", job.sheet, "--part", huge + ":3", "--part", job.part + ":2"}, 1, "Partial Optimization Done# [",
         "%\n1 part file was not placed in full:\n  " + huge + ": 3 of 3 not placed\n"},
        {{"--sheet", large, "--part", job.part, "--kerf", "0.1"}, 0, full,
         next + "Kerf used 1.35 (entered 0.1): the largest sheet is too large for a finer grid\nLayout "},
        {{"--sheet", job.sheet, "--part", tiny}, 0, full,
         next + "Kerf used 1.5 (entered 3): the smallest part needs a finer grid (two cells across it)\nLayout "},
        {{"--sheet", small, "--part", tiny, "--kerf", "0", "--yes"}, 0, full,
         next + "Kerf used 0.0625 (entered 0): no kerf was entered\nLayout "},
    };
    for (const auto& c : cases) {
        const ToolRun r = job.nest(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out.rfind(c.start, 0), 0u) << r.out;
        EXPECT_TRUE(contains(r.out, c.holds)) << r.out;
    }
}

// Outlines drawn of many short pieces, with small gaps closed at half the kerf: a run called done
// has passed the check on the vector outlines.
TEST(NestCommand, DenselyDrawnOutlinesNestAsPartsAndSheetsAtEveryKerf)
{
    const TempFolder dir;
    const std::string disc = savedShape(dir, "disc.shp", denseDisc()), washer = examplePath("parts/washer-od60-id26.shp:20");
    const std::string offcut = savedShape(dir, "offcut.shp", tracedOffcut()); // 8 lone ends
    const std::string gapped = savedShape(dir, "gapped.shp", denseDisc(0.2)); // 80 lone ends
    for (const char* kerf : {"0.5", "1", "2.5", "5", "10"})
        for (const Args& rows : {Args{"--sheet", examplePath("sheets/sheet-3000x1500.shp"), "--part", disc + ":2"},
                                 Args{"--sheet", disc, "--part", washer}, Args{"--sheet", offcut, "--part", washer},
                                 Args{"--sheet", gapped, "--part", washer}}) {
            Args args{"nest", "--kerf", kerf};
            args.insert(args.end(), rows.begin(), rows.end());
            const ToolRun r = runInProcess(args);
            const bool gapsTooWide = kerf == std::string("0.5") && rows[1] == offcut; // 0.4 > half the kerf
            EXPECT_TRUE(gapsTooWide ? contains(r.err, "not closed (8 entity ends meet no other end)")
                                    : r.out.rfind("Full Optimization Done", 0) == 0) << kerf << " " << rows[1] << r.out << r.err;
        }
}

TEST(NestJobFile, ASavedJobRunsAgainToTheSameLayoutsAndTheCommandLineOverridesIt)
{
    SmallJob f;
    const std::string disc = savedShape(f.dir, "disc.shp", {arcEntity(30, 30, 30, 0, 0)});
    const std::string saved = f.dir.file("saved.nst");
    const ToolRun first = f.nest({"--mat", "st37", "--thick", "8", "--mode", "stack", "--note", "first", "--sheet",
                                  f.sheet + ":3", "--part", f.part + ":7:1", "--part", disc + ":5:0:step180:mirror", "--json",
                                  f.dir.file("1.json"), "--save", saved});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_TRUE(contains(first.out, "Job saved to " + saved + "\n")) << first.out;
    dravenor::Job job;
    ASSERT_EQ(dravenor::readJobFile(saved, "", job).error, "");
    // Typed as the grid takes them; the kerf the engine used beside the kerf entered.
    EXPECT_EQ(std::tuple(job.mode, job.basic.text(1, 1), job.basic.text(1, 4), job.basic.text(1, 5), job.nesting.items.empty()),
              std::tuple(dravenor::NestingMode::Stack, "ST37", "3", "3", false));
    EXPECT_EQ(std::tuple(job.parts.text(2, 1), job.parts.text(2, 2), job.parts.text(2, 4), job.parts.text(2, 5),
                         job.parts.text(1, 3), job.parts.text(1, 5)),
              std::tuple(disc, "5", "step180", "Yes", "1", ""));
    EXPECT_TRUE(job.nesting.parts.at(1).Mirror && !job.nesting.parts.at(0).Mirror);
    for (const dravenor::PartEntry& entry : job.nesting.parts) EXPECT_EQ(entry.Remaining, 0);

    ASSERT_EQ(runInProcess({"nest", "--job", saved, "--json", f.dir.file("2.json")}).code, 0);
    EXPECT_EQ(readJson(f.dir.file("2.json"))["layouts"], readJson(f.dir.file("1.json"))["layouts"]);
    EXPECT_FALSE(readJson(f.dir.file("1.json"))["layouts"].toArray().isEmpty());

    // Options given replace the job's values and lists; the rest is kept.
    const std::string changed = f.dir.file("changed.nst");
    const ToolRun r = runInProcess({"nest", "--job", saved, "--mode", "continuous", "--kerf", "2", "--part", disc + ":3",
                                    "--save", changed});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(dravenor::readJobFile(changed, "", job).error, "");
    // The one part given and the entry row.
    EXPECT_EQ(std::tuple(job.mode, job.basic.text(1, 4), job.basic.text(1, 6), job.sheets.text(1, 1), job.parts.rows(),
                         job.parts.text(1, 1) + ":" + job.parts.text(1, 2)),
              std::tuple(dravenor::NestingMode::ContinuousStack, "2", "FIRST", f.sheet, 3, disc + ":3"));
}

TEST(NestPng, WritesOnePictureOfEveryLayoutIntoANewFolder)
{
    // Two parts that cannot share a 300 x 300 sheet: one layout each.
    SmallJob job;
    const std::string square = savedShape(job.dir, "square.shp", rectangle(0, 0, 250, 250));
    const std::string tall = savedShape(job.dir, "tall.shp", rectangle(0, 0, 200, 280));
    const std::string folder = job.dir.file("pictures/run1");
    const ToolRun r = job.nest({"--sheet", job.sheet + ":2", "--part", square, "--part", tall, "--png", folder});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "2 layout pictures written to " + folder)) << r.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
    const QImage first(QString::fromStdString(folder + "/layout-1.png"));
    const QImage second(QString::fromStdString(folder + "/layout-2.png"));
    for (const QImage& image : {first, second}) {
        EXPECT_LE(std::max(image.width(), image.height()), 1600);
        EXPECT_GE(std::max(image.width(), image.height()), 1500);
        EXPECT_GT(inkedPixels(image), 2000);
        EXPECT_GT(inkedPixels(image, [](const QColor& c) { return c.saturation() > 100; }), 200) << "parts in colour";
    }
    EXPECT_NE(first, second) << "each picture shows its own layout";
}

// The summary's lines between the status (with its time) and the Deep Nesting line (with its time).
std::string layoutLines(const std::string& out)
{
    const size_t from = out.find('\n') + 1;
    return out.substr(from, out.find("Deep Nesting:") - from);
}

// --mode deep: the layouts pass the check at the spacing; a saved job keeps the mode and settings
// (refused options are among the refusals).
TEST(NestDeep, ARunGivesLayoutsThatPassTheCheckAtItsSpacingAndASavedJobKeepsItsSettings)
{
    // Plates of 120 x 70 and discs of diameter 80 on 400 x 300 sheets.
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 300));
    const std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 120, 70));
    const std::string disc = savedShape(dir, "disc.shp", {arcEntity(40, 40, 40, 0, 0)});
    const std::string saved = dir.file("deep.nst"), json = dir.file("deep.json");
    const ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":3", "--part", plate + ":5", "--part",
                                      disc + ":3", "--mode", "deep", "--spacing", "4", "--margin", "2", "--iterations",
                                      "20", "--seed", "7", "--save", saved, "--json", json});
    ASSERT_LE(run.code, 1) << run.err;
    EXPECT_TRUE(contains(run.out, "Optimization Done#") && contains(run.out, "Deep Nesting: 20 iterations in ") &&
                contains(run.out, ", spacing 4, margin 2, fewest possible: 1 sheet\n")) << run.out;
    EXPECT_TRUE(contains(TempFolder::read(json), "  \"deep\": {\n    \"spacing\": 4,\n    \"margin\": 2,\n    \"timeLimit\": 0,\n"
                                                 "    \"threads\": 0,\n    \"seed\": 7,\n    \"iterations\": 20,\n    \"stopped\": false,\n"))
        << TempFolder::read(json);

    dravenor::Job reopened;
    ASSERT_TRUE(dravenor::readJobFile(saved, "", reopened).ok());
    EXPECT_EQ(std::tuple(reopened.mode, reopened.deep, reopened.nesting.items.empty()),
              std::tuple(dravenor::NestingMode::Deep, dravenor::DeepSettings{.spacing = 4, .margin = 2}, false));

    // The job's own spacing and margin are checked; a wider spacing asked for finds the gaps.
    const ToolRun check = runInProcess({"check-layout", saved});
    EXPECT_EQ(check.code, 0) << check.out << check.err;
    const ToolRun wider = runInProcess({"check-layout", saved, "--spacing", "40"});
    EXPECT_TRUE(wider.code == 1 && contains(wider.out, "closer than the spacing")) << wider.out;

    // Run again from the saved job: its settings come along, and the run repeats its layouts.
    const ToolRun again = runInProcess({"nest", "--job", saved, "--iterations", "20", "--seed", "7"});
    ASSERT_LE(again.code, 1) << again.err;
    EXPECT_EQ(layoutLines(again.out), layoutLines(run.out));
}

TEST(JsonWriter, EscapesTextAndWritesNumbersThatReadBackExactly)
{
    dravenor::cli::JsonWriter json;
    json.beginObject();
    json.field("name", std::string("a \"b\"\\\n\x01"));
    json.field("third", 1.0 / 3);
    json.field("inf", std::numeric_limits<double>::infinity());
    json.key("list").beginArray(true);
    json.value(1);
    json.value(true);
    json.endArray();
    json.endObject();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.text()), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.text();
    EXPECT_EQ(root["name"].toString().toStdString(), "a \"b\"\\\n\x01");
    EXPECT_EQ(root["third"].toDouble(), 1.0 / 3);
    EXPECT_TRUE(root["inf"].isNull());
    EXPECT_TRUE(contains(json.text(), "[1, true]"));
}

// Every command's exit code and output, then every file written, with the run times and the
// output folder's name taken out.
std::string runUnder(const char* locale)
{
    const TempFolder out;
    const QString dir = QString::fromStdString(out.folder());
    QStringList nest{"nest"};
    for (const std::string& a : dravenor::cli::readArgsFile(TempFolder::read(examplePath("job.args"))))
        nest << QString::fromStdString(a);
    nest << "--kerf" << "2.5" << "--save" << dir + "/job.nst" << "--json" << dir + "/run.json" << "--dxf-dir" << dir;
    const QList<QStringList> commands = {
        nest, {"report", dir + "/job.nst", "-o", dir + "/report.tlf"}, {"check-layout", dir + "/job.nst", "--tolerance", "0.25"},
        {"layout-dxf", dir + "/job.nst", "--layout", "2", "--text-height", "7.5", dir + "/layout-2.shp"},
        {"shape-info", "parts/curved-rib-r600-r500.shp", dir + "/layout-1.dxf"},
        {"stdshape", "Circle", "--param", "Rad=12.75", "-o", dir + "/circle.shp"},
    };
    std::string all;
    for (const QStringList& args : commands) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", locale);
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QString::fromStdString(examplePath("")));
        p.start(QStringLiteral(DRAVENOR_CLI), args);
        p.waitForFinished(120000);
        all += std::to_string(p.exitCode()) + p.readAllStandardOutput().toStdString() + p.readAllStandardError().toStdString();
    }
    for (const std::string& name : out.entries()) all += "\n== " + name + "\n" + TempFolder::read(out.file(name));
    for (std::size_t at; (at = all.find(out.folder())) != std::string::npos;) all.replace(at, out.folder().size(), "OUT");
    return std::regex_replace(all, std::regex(R"(\[[0-9.]+ Seconds\]|"seconds": [0-9.e+-]+)"), "T");
}

TEST(Locale, ExampleJobPrintsAndSavesTheSameUnderADecimalComma)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup.sh makes it)";
    std::setlocale(LC_ALL, "C");
    const std::string c = runUnder("C");
    EXPECT_EQ(runUnder("de_DE.UTF-8"), c);
    for (const char* expected : {"0Full Optimization Done# T", "closed (1 closed outline, 0 open ends)", "== job.nst",
                                 "== layout-2.dxf", "== report.tlf", "== circle.shp", R"("10","2.5","2.5")"})
        EXPECT_NE(c.find(expected), std::string::npos) << expected;
}

// A 400 x 300 sheet, plates, discs and ribs; every run has kerf 3 and material S235, 10 thick.
struct ListJob {
    TempFolder dir;
    bool folders = std::filesystem::create_directories(dir.file("parts")) &&
                   std::filesystem::create_directories(dir.file("lists"));
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 300));
    std::string plate = savedShape(dir, "parts/plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "parts/disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    std::string rib = savedShape(dir, "parts/rib.shp", rectangle(0, 0, 180, 15));

    ToolRun nest(const Args& more, const std::string& json = "") const
    {
        Args args{"nest", "--kerf", "3", "--mat", "S235", "--thick", "10", "--sheet", sheet + ":3"};
        args.insert(args.end(), more.begin(), more.end());
        if (!json.empty()) args.insert(args.end(), {"--json", json});
        return runInProcess(args);
    }
    // The JSON result without its times.
    static std::string result(const std::string& json) { return timeless(TempFolder::read(json)); }
    static std::string timeless(const std::string& text)
    {
        return std::regex_replace(std::regex_replace(text, std::regex("\"seconds\": *[^,]*,"), ""),
                                  std::regex("\\[[^\\]]*Seconds\\]"), "");
    }
};

// The layouts a list gives are compared with the parts given one by one over the bench jobs
// (check_parts_lists.py); here, what the tool says of the rows of other stock it leaves out.
TEST(NestPartsList, RowsOfOtherStockAreNamedOnTheErrorStreamAndLeftOut)
{
    ListJob job;
    const std::string list = job.dir.write("lists/order.csv", "file;qty;Material;Thickness\r\n"
                                                              "../parts/disc.shp;5;s235;10,0\r\n"
                                                              "../parts/plate.shp;9;ALU;10\r\n"
                                                              "../parts/disc.shp;2;S235;8,5\r\n");
    const ToolRun byList = job.nest({"--parts-list", list}, job.dir.file("list.json"));
    ASSERT_EQ(byList.code, 0) << byList.err;
    const ToolRun byParts = job.nest({"--part", job.disc + ":5"}, job.dir.file("parts.json"));
    EXPECT_EQ(ListJob::result(job.dir.file("list.json")), ListJob::result(job.dir.file("parts.json")));
    EXPECT_EQ(byList.err, "dravenor-cli nest: " + list + " line 3 left out: material ALU, the job's is S235\n"
                          "dravenor-cli nest: " + list + " line 4 left out: thickness 8.5, the job's is 10\n");
}

TEST(NestPartsList, ListRowsKeepTheirRulesAfterThePartsGivenOneByOne)
{
    ListJob job;
    const std::string list = job.dir.write("lists/rules.csv", "file,qty,pri,orn,mirror\n"
                                                              "../parts/disc.shp,2,,step180,yes\n"
                                                              "../parts/rib.shp,0,4,No,\n");
    const dravenor::cli::NestJob parsed =
        dravenor::cli::parseNestJob({"--mat", "S235", "--part", job.plate + ":3", "--parts-list", list});
    ASSERT_EQ(parsed.state.parts.size(), 2u);
    const dravenor::PartEntry &plate = parsed.state.parts[0], &disc = parsed.state.parts[1];
    EXPECT_EQ(std::tuple(plate.FileName, plate.Mirror, disc.FileName, disc.Qty, disc.Remaining, disc.Orn, disc.Mirror),
              std::tuple(job.plate, false, job.disc, 2, 2, "step180", true));
    // A quantity of 0 leaves the row out, as it does on the command line.
    EXPECT_EQ(parsed.skippedRows, std::vector<std::string>{"part " + job.rib + " skipped: quantity 0"});
}

TEST(NestPartsList, ABadListNamesEveryBadLineAndNestsNothing)
{
    ListJob job;
    const std::string list = job.dir.write("order.csv", "file,qty,colour\nparts/plate.shp,x,\n");
    const ToolRun unknown = job.nest({"--parts-list", list});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "dravenor-cli nest: " + list + " line 1: unknown column 'colour' (known: file, quantity, "
                           "priority, orientation, mirror, material, thickness)\n"
                           "dravenor-cli nest: 1 bad line in the parts lists: nothing nested\n");

    job.dir.write("order.csv", "file;qty\nparts/plate.shp;x\nparts/gone.shp;1\nparts/disc.shp;2\n");
    const ToolRun bad = job.nest({"--part", job.rib, "--parts-list", list});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find(list + " line 2: quantity 'x' is not a whole number from 0 to 999999\n"), std::string::npos);
    EXPECT_NE(bad.err.find(list + " line 3: file 'parts/gone.shp' not found"), std::string::npos);
    EXPECT_NE(bad.err.find("2 bad lines in the parts lists: nothing nested"), std::string::npos);

    const ToolRun missing = job.nest({"--parts-list", job.dir.file("none.csv")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("none.csv"), std::string::npos);
}

TEST(NestPartsList, AFolderGivesEveryShapeFileWithTheQuantityOfItsName)
{
    ListJob job;
    TempFolder parts;
    savedShape(parts, "bracket_x4.shp", rectangle(0, 0, 60, 40));
    savedShape(parts, "lug.shp", rectangle(0, 0, 30, 30));
    parts.write("readme.txt", "not a part");
    const ToolRun byFolder = job.nest({"--parts-dir", parts.folder()}, job.dir.file("dir.json"));
    ASSERT_EQ(byFolder.code, 0) << byFolder.err;
    const ToolRun byParts = job.nest({"--part", parts.file("bracket_x4.shp") + ":4", "--part", parts.file("lug.shp")},
                                     job.dir.file("parts.json"));
    EXPECT_EQ(ListJob::timeless(byFolder.out), ListJob::timeless(byParts.out));
    EXPECT_EQ(ListJob::result(job.dir.file("dir.json")), ListJob::result(job.dir.file("parts.json")));

    TempFolder empty;
    const ToolRun none = job.nest({"--parts-dir", empty.folder()});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("holds no drawing (.dxf) or shape file (.shp)"), std::string::npos);
}

} // namespace
