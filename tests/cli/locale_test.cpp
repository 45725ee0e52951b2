// The batch tool under a decimal-comma locale: the example job, its saved files and every
// number printed must be byte for byte what the C locale gives.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <regex>

#include "cli/nest_job.h"
#include "cli_test_support.h"
#include "support/temp_folder.h"

using namespace dravenor::testing;

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";

bool localeInstalled(const char* name)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const bool installed = std::setlocale(LC_ALL, name) != nullptr;
    std::setlocale(LC_ALL, before.c_str());
    return installed;
}

// What one locale's run printed and wrote, with its folder named "OUT" and run times removed.
struct LocaleRun {
    std::string printed;
    std::map<std::string, std::string> files;
};

std::string withoutRunTimes(std::string text, const std::string& folder)
{
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "OUT");
    text = std::regex_replace(text, std::regex(R"(\[[0-9.]+ Seconds\])"), "[T]");
    return std::regex_replace(text, std::regex(R"("seconds": [0-9.e+-]+)"), "\"seconds\": T");
}

LocaleRun runUnder(const char* locale)
{
    const TempFolder out;
    const QString dir = QString::fromStdString(out.folder());
    const QStringList nest = [&] {
        QStringList args{"nest"};
        for (const std::string& a : dravenor::cli::readArgsFile(TempFolder::read(examplePath("job.args"))))
            args << QString::fromStdString(a);
        return args << "--kerf" << "2.5" << "--save" << dir + "/job.nst" << "--json" << dir + "/run.json"
                    << "--dxf-dir" << dir + "/dxf";
    }();
    const QList<QStringList> commands = {
        nest,
        {"report", dir + "/job.nst", "-o", dir + "/report.tlf"},
        {"check-layout", dir + "/job.nst", "--tolerance", "0.25"},
        {"layout-dxf", dir + "/job.nst", "--layout", "2", "--text-height", "7.5", dir + "/layout-2.shp"},
        {"shape-info", "parts/curved-rib-r600-r500.shp", "parts/disc-d1000.shp", dir + "/dxf/layout-1.dxf"},
        {"dxf2shp", dir + "/dxf/layout-1.dxf", dir + "/layout-1.shp"},
        {"stdshape", "Circle", "--param", "Rad=12.75", "-o", dir + "/circle.shp"},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    LocaleRun run;
    for (const QStringList& args : commands) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QString::fromStdString(examplePath("")));
        p.start(QStringLiteral(DRAVENOR_CLI), args);
        p.waitForFinished(120000);
        run.printed += args.front().toStdString() + " exit " + std::to_string(p.exitCode()) + "\n" +
                       p.readAllStandardOutput().toStdString() + p.readAllStandardError().toStdString();
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out.folder()))
        if (entry.is_regular_file())
            run.files[std::filesystem::relative(entry.path(), out.folder()).string()] =
                withoutRunTimes(TempFolder::read(entry.path().string()), out.folder());
    run.printed = withoutRunTimes(run.printed, out.folder());
    return run;
}

TEST(Locale, ExampleJobPrintsAndSavesTheSameUnderADecimalComma)
{
    if (!localeInstalled(kCommaLocale)) GTEST_SKIP() << kCommaLocale << " is not installed (scripts/setup.sh makes it)";
    const LocaleRun c = runUnder("C");
    const LocaleRun comma = runUnder(kCommaLocale);
    EXPECT_EQ(comma.printed, c.printed);
    EXPECT_NE(c.printed.find("Full Optimization Done"), std::string::npos) << c.printed;
    EXPECT_NE(c.printed.find("closed (1 closed outline, 0 open ends)"), std::string::npos) << c.printed;
    EXPECT_NE(c.files.at("job.nst").find("2.5"), std::string::npos);
    ASSERT_EQ(comma.files.size(), c.files.size());
    EXPECT_GE(c.files.size(), 8u);
    for (const auto& [name, bytes] : c.files) EXPECT_TRUE(comma.files.at(name) == bytes) << name << " differs";
}

} // namespace
