// The batch tool under a decimal-comma locale prints and writes byte for byte what C gives.
#include <gtest/gtest.h>

#include <clocale>
#include <regex>

#include "cli/nest_job.h"
#include "cli_test_support.h"

using namespace dravenor::testing;

namespace {

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

} // namespace
