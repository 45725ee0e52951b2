// The report window: the report file shown line by line and read-only, the selection copied, the
// rows printed under the header, the file opened with the associated application, help and Esc.
// How lines become rows, tabs and pages is the report grid's, tested with it.
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/report_window.h"
#include "layouts/report_grid.h"
#include "support/pdf_pages.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

// Catches what would go to the associated application.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    std::vector<QString> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url.toLocalFile()); }
};

std::string numberedReport(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) text += "line " + std::to_string(i) + "    value\r\n";
    return text;
}

class ReportWindowTest : public ::testing::Test {
protected:
    QString reportFile(const std::string& content) { return QString::fromStdString(folder.write("Report.tlf", content)); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    UrlCatcher urls;
};

TEST_F(ReportWindowTest, ShowsTheLinesReadOnlyCopiesPrintsGivesHelpClosesAndOpensLongOnesElsewhere)
{
    const std::string report = numberedReport(300);
    ReportWindow window(dialogs, reportFile(report));
    ASSERT_EQ(window.grid().rows(), 301);
    EXPECT_EQ(window.grid().text(12, 1), "line 12    value");
    window.gridView()->setCurrentCell(4, 1);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Delete}) QTest::keyClick(window.gridView(), key);
    EXPECT_EQ(window.grid().text(4, 1), "line 4    value");
    EXPECT_EQ(TempFolder::read(folder.file("Report.tlf")), report);

    window.gridView()->selectRows(10, 12);
    window.copyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "line 10\tvalue\r\nline 11\tvalue\r\nline 12\tvalue\r\n");
    EXPECT_EQ(dialogs.questionTexts(), std::vector<std::string>{kReportCopiedMessage});

    window.setJobFileName("/jobs/plates/order-17.nst");
    const auto pages = window.printPages(10, 12, 15);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(std::pair(pages[0][1], pages[0].back()), std::pair(std::string("File: order-17.nst"), std::string("line 12    value")));
    // On paper: more than one page for all 300 lines, one for the selection.
    const auto printed = [&](const char* name, bool all) {
        QPdfWriter writer(QString::fromStdString(folder.file(name)));
        writer.setPageSize(QPageSize(QPageSize::A4));
        all ? window.printTo(writer) : window.printRowsTo(writer, 10, 12);
        return pdfPageCount(folder.file(name));
    };
    EXPECT_TRUE(printed("all.pdf", true) > 3u && printed("selection.pdf", false) == 1u);

    // F1 opens the report's help, Esc closes.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.gridView(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#report"});
    QTest::keyClick(window.gridView(), Qt::Key_Escape);
    EXPECT_EQ(std::pair(window.isVisible(), window.result()), std::pair(false, int(QDialog::Rejected)));

    // Open, or a report too long for the window, goes to the associated application.
    dialogs.questions.clear();
    const QString path = reportFile("Total Layouts :  1 \r\n");
    ReportWindow opened(dialogs, path);
    opened.openButton()->click();
    EXPECT_EQ(urls.opened, std::vector<QString>{path});

    reportFile(numberedReport(kReportGridLineLimit + 1));
    ReportWindow tooLong(dialogs, path);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text.rfind("Report too long to fit.", 0), 0u);
    EXPECT_EQ(urls.opened, (std::vector<QString>{path, path}));
    EXPECT_TRUE(tooLong.openedExternally() && tooLong.exec() == QDialog::Rejected);

    // A missing report is named and the window stays empty.
    QFile::remove(path);
    ReportWindow missing(dialogs, path);
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_NE(dialogs.questions[1].text.find("Report.tlf"), std::string::npos) << dialogs.questions[1].text;
    EXPECT_EQ(std::tuple(dialogs.questions[1].icon, missing.grid().rows(), missing.openButton()->isEnabled(), missing.openedExternally()),
              std::tuple(DialogService::Icon::Exclamation, 2, false, false));
}

} // namespace
} // namespace dravenor::testing

#include "report_window_test.moc"
