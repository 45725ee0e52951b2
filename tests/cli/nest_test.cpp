#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <numbers>

#include "cli/json_writer.h"
#include "cli/nest_job.h"
#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

// The example job's arguments with paths made absolute.
Args exampleArgs()
{
    Args args{"nest"};
    for (std::string a : dravenor::cli::readArgsFile(TempFolder::read(examplePath("job.args")))) {
        if (a.rfind("sheets/", 0) == 0 || a.rfind("parts/", 0) == 0) a = examplePath(a);
        args.push_back(a);
    }
    return args;
}

// A temporary folder with a 300 x 300 sheet and a 100 x 50 part.
struct SmallJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300));
    std::string part = savedShape(dir, "part.shp", rectangle(0, 0, 100, 50));

    ToolRun nest(Args more) const
    {
        Args args{"nest", "--kerf", "3"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    }
};

} // namespace

TEST(NestCommand, OptimisesTheExampleJobAndWritesTheWholeResultAsJson)
{
    TempFolder dir;
    const std::string json = dir.file("result.json");
    Args args = exampleArgs();
    args.insert(args.end(), {"--json", json});
    const ToolRun r = runInProcess(args);
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_EQ(r.out.rfind("Full Optimization Done# [", 0), 0u) << r.out;
    EXPECT_TRUE(contains(r.out, " Seconds]\nLayout 1: ")) << r.out;
    EXPECT_TRUE(contains(r.out, "\nOverall yield: ")) << r.out;

    QFile file(QString::fromStdString(json));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(root["status"].toString(), "full");
    EXPECT_EQ(root["statusText"].toString().toStdString() + "\n", r.out.substr(0, r.out.find('\n') + 1));
    EXPECT_GT(root["overallYield"].toDouble(), 0.3);
    EXPECT_LE(root["overallYield"].toDouble(), 1.0);
    EXPECT_EQ(root["details"].toObject()["actKerf"].toDouble(), 3);

    // Every part quantity is placed exactly, counting identical sheets; every layout line of the
    // text names its layout.
    std::map<QString, int> placed;
    double partShare = 0, sheets = 0;
    for (const QJsonValue& v : root["layouts"].toArray()) {
        const QJsonObject layout = v.toObject();
        const int qty = layout["qty"].toInt();
        EXPECT_GE(qty, 1);
        EXPECT_TRUE(contains(r.out, "Layout " + std::to_string(layout["number"].toInt()) + ": " +
                                        layout["sheet"].toString().toStdString() + " x " + std::to_string(qty) + ", "));
        const QJsonArray instances = layout["instances"].toArray();
        EXPECT_EQ(instances.size(), layout["partsPlaced"].toInt());
        for (int i = 0; i < instances.size(); ++i) {
            const QJsonObject instance = instances[i].toObject();
            EXPECT_EQ(instance["instance"].toInt(), i + 1);
            placed[instance["part"].toString()] += qty;
            const QJsonArray entities = instance["entities"].toArray();
            ASSERT_FALSE(entities.isEmpty());
            for (const QJsonValue& e : entities) {
                const QString type = e.toObject()["type"].toString();
                EXPECT_TRUE(type == "line" || type == "arc" || type == "circle") << type.toStdString();
            }
        }
        EXPECT_FALSE(layout["sheetEntities"].toArray().isEmpty());
        partShare += layout["yield"].toDouble() * qty;
        sheets += qty;
    }
    EXPECT_EQ(placed[QString::fromStdString(examplePath("parts/washer-od60-id26.shp"))], 40);
    EXPECT_EQ(placed[QString::fromStdString(examplePath("parts/disc-d1000.shp"))], 1);
    EXPECT_EQ(placed.size(), 12u);
    EXPECT_TRUE(root["unplaced"].toArray().isEmpty());
    EXPECT_GT(partShare / sheets, 0) << "layout yields are there";
}

TEST(NestCommand, ExitCodesFollowTheEndStatus)
{
    SmallJob job;
    ToolRun r = job.nest({"--sheet", job.sheet + ":2", "--part", job.part + ":4"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Layout 1: " + job.sheet + " x 1, 4 parts, yield ")) << r.out;

    const std::string huge = savedShape(job.dir, "huge.shp", rectangle(0, 0, 400, 100));
    r = job.nest({"--sheet", job.sheet, "--part", huge});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out.rfind("Optimization Failed# [", 0), 0u) << r.out;
    EXPECT_TRUE(contains(r.out, "Overall yield: 0%")) << r.out;

    r = job.nest({"--sheet", job.sheet, "--part", huge + ":3", "--part", job.part + ":2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.rfind("Partial Optimization Done# [", 0), 0u) << r.out;
    EXPECT_TRUE(contains(r.out, "%\n1 part file was not placed in full:\n  " + huge + ": 3 of 3 not placed\n")) << r.out;
}

// Yields must be the true part areas over the sheet area, worked out here from the diameters:
// on the raster a washer OD40/ID18 covers about a third more than it is.
TEST(NestCommand, YieldsOfRoundPartsAreTheirTrueAreasInTextAndJson)
{
    const struct {
        const char* name;
        double od, id;
        int qty;
    } cases[] = {{"washer OD40/ID18", 40, 18, 40}, {"washer OD60/ID26", 60, 26, 16}, {"disc 100", 100, 0, 6}};
    for (const auto& c : cases) {
        SmallJob job;
        const std::string part = savedShape(job.dir, "round.shp", washer(c.od / 2, c.od / 2, c.od, c.id));
        const std::string json = job.dir.file("result.json");
        const ToolRun r = job.nest({"--sheet", job.sheet, "--part", part + ":" + std::to_string(c.qty), "--json", json});
        ASSERT_EQ(r.code, 0) << c.name << r.err << r.out;
        const double expected = c.qty * std::numbers::pi * (c.od * c.od - c.id * c.id) / 4 / (300 * 300);
        const size_t at = r.out.find("Overall yield: ");
        ASSERT_NE(at, std::string::npos) << r.out;
        EXPECT_NEAR(std::stod(r.out.substr(at + 15)), expected * 100, 0.001) << c.name;
        QFile file(QString::fromStdString(json));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        EXPECT_NEAR(root["overallYield"].toDouble(), expected, 1e-9) << c.name;
    }
}

TEST(NestCommand, SaysWhichKerfWasUsedOnlyWhenItIsNotTheKerfEntered)
{
    SmallJob job;
    const std::string large = savedShape(job.dir, "large.shp", rectangle(0, 0, 3000, 1500));
    const std::string tiny = savedShape(job.dir, "tiny.shp", rectangle(0, 0, 3, 3));
    const std::string small = savedShape(job.dir, "small.shp", rectangle(0, 0, 100, 100));
    const struct {
        Args args;
        std::string note;
    } cases[] = {
        {{"--sheet", job.sheet, "--part", job.part}, ""},
        {{"--sheet", large, "--part", job.part, "--kerf", "0.1"},
         "Kerf used 1.35 (entered 0.1): the largest sheet is too large for a finer grid\n"},
        {{"--sheet", job.sheet, "--part", tiny},
         "Kerf used 1.5 (entered 3): the smallest part needs a finer grid (two cells across it)\n"},
        {{"--sheet", small, "--part", tiny, "--kerf", "0", "--yes"}, "Kerf used 0.0625 (entered 0): no kerf was entered\n"},
    };
    for (const auto& c : cases) {
        const ToolRun r = job.nest(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string afterStatus = r.out.substr(r.out.find('\n') + 1);
        EXPECT_EQ(afterStatus.substr(0, c.note.size() + 7), c.note + "Layout ") << r.out;
    }
}

TEST(NestCommand, BadInputEndsWithOneClearLine)
{
    SmallJob job;
    const std::string open = savedShape(job.dir, "open.shp", {lineEntity(0, 0, 100, 0)});
    // A part drawn in the wrong units: its raster alone would take gigabytes.
    const std::string giant = savedShape(job.dir, "giant.shp", {arcEntity(5e6, 5e6, 5e6, 0, 0)});
    struct Case {
        Args args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"--sheet", job.sheet, "--part", "/no/such.shp"}, "/no/such.shp not found"},
        {{"--sheet", job.sheet + ":x", "--part", job.part}, "quantity 'x' is not a whole number above 0"},
        {{"--sheet", job.sheet, "--part", job.part + ":-2"}, "quantity '-2' is not a whole number above 0"},
        {{"--sheet", job.sheet, "--part", job.part + ":2.5"}, "quantity '2.5' is not a whole number above 0"},
        {{"--sheet", job.sheet + ":1:high", "--part", job.part}, "priority 'high' is not a whole number"},
        {{"--sheet", job.sheet, "--part", job.part + ":1:0:yes"}, "orientation 'yes' is not empty, No or step90"},
        {{"--sheet", job.sheet, "--part", job.part, "--kerf", "abc"}, "--kerf 'abc' is not a number"},
        {{"--sheet", job.sheet, "--part", job.part, "--kerf", "-1"}, "--kerf '-1' must not be negative"},
        {{"--sheet", job.sheet, "--part", job.part, "--mat", "S,235"}, "--mat 'S,235': ',' cannot be typed into Mat"},
        {{"--sheet", job.sheet, "--part", job.part, "--thick", "12.3456"}, "--thick '12.3456': longer than 6 characters"},
        {{"--sheet", job.sheet, "--part", job.part, "--mode", "fast"}, "--mode 'fast' is not stack, continuous, free or deep"},
        {{"--sheet", job.sheet, "--part", open}, open + ": the outline is not closed"},
        {{"--sheet", job.sheet, "--part", giant}, giant + ": far larger than any sheet at this kerf"},
        {{"--sheet", job.sheet + ":0", "--part", job.part}, "No valid sheet(s) specified"},
        {{"--sheet", job.sheet, "--part", job.part + ":0"}, "No valid CutPieces(s) specified"},
        {{"--sheet", job.sheet, "--part", job.part, "extra"}, "unexpected argument 'extra'"},
    };
    for (const Case& c : cases) {
        const ToolRun r = job.nest(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_TRUE(contains(r.err, c.message)) << "expected: " << c.message << "\ngot: " << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(NestCommand, DenselyDrawnOutlinesNestAsPartsAndSheetsAtEveryKerf)
{
    const TempFolder dir;
    const std::string disc = savedShape(dir, "disc.shp", denseDisc()), washer = examplePath("parts/washer-od60-id26.shp:20");
    const std::string offcut = savedShape(dir, "offcut.shp", tracedOffcut()); // 8 lone ends
    const std::string gapped = savedShape(dir, "gapped.shp", denseDisc(0.2)); // 80 lone ends
    // A run called done has passed the check on the vector outlines.
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

TEST(NestCommand, NoKerfAsksForYes)
{
    SmallJob job;
    ToolRun r = runInProcess({"nest", "--sheet", job.sheet, "--part", job.part});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "No Kerf specified. Continue nesting?")) << r.err;
    EXPECT_TRUE(contains(r.err, "use --yes to go on")) << r.err;

    r = runInProcess({"nest", "--sheet", job.sheet, "--part", job.part, "--kerf", "0", "--yes"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Full Optimization Done# [", 0), 0u) << r.out;
}

TEST(NestCommand, AnUnwritableJsonFileIsReportedAfterTheResult)
{
    SmallJob job;
    const ToolRun r = job.nest({"--sheet", job.sheet, "--part", job.part, "--json", "/no/such/folder/result.json"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "/no/such/folder/result.json")) << r.err;
    EXPECT_FALSE(r.out.empty());
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
    EXPECT_EQ(root["list"].toArray().size(), 2);
    EXPECT_TRUE(contains(json.text(), "[1, true]"));
}
