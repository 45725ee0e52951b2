// dravenor-cli nest: the result as text and JSON, exit codes by end status, the kerf used, outlines
// drawn densely, saved jobs run again, layout pictures, Deep Nesting runs, parts lists and parts
// folders; and the batch tool under a decimal-comma locale printing what C gives, byte for byte.
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

// A folder with a 300 x 300 sheet, a 100 x 50 part, a disc and a rib; nest runs with kerf 3 and
// more arguments.
struct SmallJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300));
    std::string part = savedShape(dir, "part.shp", rectangle(0, 0, 100, 50));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(30, 30, 30, 0, 0)});
    std::string rib = savedShape(dir, "rib.shp", rectangle(0, 0, 180, 15));

    ToolRun nest(const Args& more) const
    {
        Args args{"nest", "--kerf", "3"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    }
};

// The exit code follows the end status; right after it the kerf used is said, only when it is
// not the kerf entered.
TEST(NestCommand, ExitCodesFollowTheEndStatusAndTheKerfUsedIsSaidWhenItDiffers)
{
    SmallJob job;
    const std::string huge = savedShape(job.dir, "huge.shp", rectangle(0, 0, 400, 100));
    const std::string large = savedShape(job.dir, "large.shp", rectangle(0, 0, 3000, 1500));
    const std::string tiny = savedShape(job.dir, "tiny.shp", rectangle(0, 0, 3, 3));
    const std::string small = savedShape(job.dir, "small.shp", rectangle(0, 0, 100, 100));
    const std::string full = "Full Optimization Done [", next = " s]\n";
    const struct { Args args; int code; std::string start, holds; } cases[] = {
        {{"--sheet", job.sheet + ":2", "--part", job.part + ":4"}, 0, full,
         next + "Layout 1: " + job.sheet + " x 1, 4 parts, yield "},
        {{"--sheet", job.sheet, "--part", huge}, 2, "Optimization Failed [", "Overall yield: 0%"},
        {{"--sheet", job.sheet, "--part", huge + ":3", "--part", job.part + ":2"}, 1, "Partial Optimization Done [",
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
    const std::string& disc = f.disc;
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
    const NestedJob& job = nestedJob();
    const auto layouts = std::distance(std::filesystem::directory_iterator(job.out), {});
    ASSERT_GE(layouts, 2);
    EXPECT_TRUE(contains(job.run.out, std::to_string(layouts) + " layout pictures written to " + job.pictures)) << job.run.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(job.pictures), {}), layouts);
    const QImage first(QString::fromStdString(job.pictures + "/layout-1.png"));
    const QImage second(QString::fromStdString(job.pictures + "/layout-2.png"));
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
    EXPECT_TRUE(contains(run.out, "Optimization Done [") && contains(run.out, "Deep Nesting: 20 iterations in ") &&
                contains(run.out, ", spacing 4, margin 2, fewest possible: 1 sheet\n")) << run.out;
    EXPECT_TRUE(contains(TempFolder::read(json), "  \"deep\": {\n    \"spacing\": 4,\n    \"margin\": 2,\n    \"timeLimit\": 0,\n"
                                                 "    \"threads\": 0,\n    \"seed\": 7,\n    \"iterations\": 20,\n    \"stopped\": false,\n"))
        << TempFolder::read(json);

    dravenor::Job reopened;
    ASSERT_TRUE(dravenor::readJobFile(saved, "", reopened).ok());
    EXPECT_EQ(std::tuple(reopened.mode, reopened.deep, reopened.nesting.items.empty()),
              std::tuple(dravenor::NestingMode::Deep, dravenor::DeepSettings{.spacing = 4, .margin = 2}, false));

    // The layouts pass the check at the job's own spacing and margin (a spacing given instead is
    // among the check-layout cases).
    const ToolRun check = runInProcess({"check-layout", saved});
    EXPECT_EQ(check.code, 0) << check.out << check.err;

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

// The text with the run times taken out.
std::string timeless(const std::string& text)
{
    return std::regex_replace(text, std::regex(R"(\[[0-9.]+ s\]|"seconds": [0-9.e+-]+)"), "T");
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
    // A thickness the cut table has no row for, so the kerf entered is the kerf used.
    nest << "--thick" << "10.5" << "--kerf" << "2.5" << "--save" << dir + "/job.nst" << "--json" << dir + "/run.json" << "--dxf-dir" << dir;
    const QList<QStringList> commands = {
        nest, {"report", dir + "/job.nst", "-o", dir + "/report.tlf"}, {"report", dir + "/job.nst", "--cut-times", "-o", "-"},
        {"check-layout", dir + "/job.nst", "--tolerance", "0.25"},
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
    return timeless(all);
}

TEST(Locale, ExampleJobPrintsAndSavesTheSameUnderADecimalComma)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup.sh makes it)";
    std::setlocale(LC_ALL, "C");
    const std::string c = runUnder("C");
    EXPECT_EQ(runUnder("de_DE.UTF-8"), c);
    for (const char* expected : {"0Full Optimization Done T", "closed (1 closed outline, 0 open ends)", "== job.nst",
                                 "== layout-2.dxf", "== report.tlf", "== circle.shp", R"("10.5","2.5","2.5")",
                                 "Estimated Cutting Time"})
        EXPECT_NE(c.find(expected), std::string::npos) << expected;
}

// The layouts a list gives, and its rows of other stock named and left out, are checked over the
// bench jobs (check_bench_jobs.py list); here the rules of its rows, bad lists and parts folders.
TEST(NestPartsList, ListRowsKeepTheirRulesAfterThePartsGivenOneByOne)
{
    SmallJob job;
    const std::string list = job.dir.write("rules.csv", "file,qty,pri,orn,mirror\ndisc.shp,2,,step180,yes\nrib.shp,0,4,No,\n");
    const dravenor::cli::NestJob parsed =
        dravenor::cli::parseNestJob({"--mat", "S235", "--part", job.part + ":3", "--parts-list", list});
    ASSERT_EQ(parsed.state.parts.size(), 2u);
    const dravenor::PartEntry &plate = parsed.state.parts[0], &disc = parsed.state.parts[1];
    EXPECT_EQ(std::tuple(plate.FileName, plate.Mirror, disc.FileName, disc.Qty, disc.Remaining, disc.Orn, disc.Mirror),
              std::tuple(job.part, false, job.disc, 2, 2, "step180", true));
    // A quantity of 0 leaves the row out, as it does on the command line.
    EXPECT_EQ(parsed.skippedRows, std::vector<std::string>{"part " + job.rib + " skipped: quantity 0"});
}

// A bad list or parts folder: every fault (their texts are the parts-list reader's) named on a line
// of its own after the tool's name, then the verdict; nothing nested.
TEST(NestPartsList, ABadListOrFolderNamesEveryBadLineAndNestsNothing)
{
    SmallJob job;
    const std::string rows = job.dir.write("rows.csv", "file;qty\npart.shp;x\ngone.shp;1\ndisc.shp;2\n");
    const std::string empty = job.dir.file("empty");
    std::filesystem::create_directory(empty);
    const struct { std::string option, path; std::vector<std::string> lines; } cases[] = {
        {"--parts-list", rows, {"nest: " + rows + " line 2: quantity 'x' is not a whole number from 0 to 999999\n",
                                "nest: " + rows + " line 3: file 'gone.shp' not found",
                                "nest: 2 bad lines in the parts lists: nothing nested\n"}},
        {"--parts-dir", empty, {"nest: " + empty + ": " + empty + " holds no drawing (.dxf) or shape file (.shp)\n",
                                "nest: 1 bad line in the parts lists: nothing nested\n"}},
    };
    for (const auto& c : cases) {
        const ToolRun r = job.nest({"--sheet", job.sheet, "--part", job.rib, c.option, c.path});
        EXPECT_EQ(std::tuple(r.code, r.out, static_cast<size_t>(std::count(r.err.begin(), r.err.end(), '\n'))),
                  std::tuple(2, "", c.lines.size())) << r.err;
        for (const std::string& line : c.lines) EXPECT_TRUE(contains(r.err, "dravenor-cli " + line)) << r.err;
    }
}

TEST(NestPartsList, AFolderGivesEveryShapeFileWithTheQuantityOfItsName)
{
    SmallJob job;
    TempFolder parts;
    savedShape(parts, "bracket_x4.shp", rectangle(0, 0, 60, 40));
    savedShape(parts, "lug.shp", rectangle(0, 0, 30, 30));
    parts.write("readme.txt", "not a part");
    const ToolRun byFolder = job.nest({"--sheet", job.sheet + ":3", "--parts-dir", parts.folder(), "--json", job.dir.file("dir.json")});
    ASSERT_EQ(byFolder.code, 0) << byFolder.err;
    const ToolRun byParts = job.nest({"--sheet", job.sheet + ":3", "--part", parts.file("bracket_x4.shp") + ":4", "--part",
                                      parts.file("lug.shp"), "--json", job.dir.file("parts.json")});
    EXPECT_EQ(timeless(byFolder.out), timeless(byParts.out));
    EXPECT_EQ(timeless(TempFolder::read(job.dir.file("dir.json"))), timeless(TempFolder::read(job.dir.file("parts.json"))));
}

} // namespace
