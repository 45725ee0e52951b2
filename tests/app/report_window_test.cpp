// The report window driven offscreen: the report file shown line by line, read-only, copied to
// the clipboard as tab-separated text, printed page by page with its header, opened with the
// associated application, and the help and Esc keys.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/report_window.h"
#include "layouts/report_grid.h"
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

const char* const kSmallReport = "Overall Yield : 15      Overall Base Yield : 20 \r\n"
                                 "Total Layouts :  1 \r\n"
                                 "\r\n"
                                 "Sheet File Name    QtyUsed Pri     TotWeight\r\n"
                                 "big-sheet-100x100.  3      1       1500000.00\r\n"
                                 "   Note=indented\r\n";

std::string longReport(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) text += "line " + std::to_string(i) + "    value\r\n";
    return text;
}

int pdfPageCount(const std::string& path)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(QByteArray::fromStdString(TempFolder::read(path))).count(page));
}

class ReportWindowTest : public ::testing::Test {
protected:
    QString reportFile(const std::string& content)
    {
        return QString::fromStdString(folder.write("Report.tlf", content));
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    UrlCatcher urls;
};

TEST_F(ReportWindowTest, ShowsEveryLineAsOneReadOnlyRowInAFixedFont)
{
    ReportWindow window(dialogs, reportFile(kSmallReport));
    const TextGrid& grid = window.grid();

    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_EQ(grid.rows(), 7);
    EXPECT_EQ(grid.text(1, 1), "Overall Yield : 15      Overall Base Yield : 20");
    EXPECT_EQ(grid.text(3, 1), "");
    EXPECT_EQ(grid.text(4, 1), "Sheet File Name    QtyUsed Pri     TotWeight");
    EXPECT_EQ(grid.text(6, 1), "Note=indented") << "leading blanks are dropped by the field reading";
    EXPECT_TRUE(window.gridView()->verticalHeader()->isHidden());
    EXPECT_TRUE(window.gridView()->horizontalHeader()->isHidden());
    EXPECT_TRUE(QFontInfo(window.gridView()->font()).fixedPitch());
    EXPECT_EQ(window.copyButton()->text(), "Copy");
    EXPECT_EQ(window.copyButton()->toolTip(), "Copy to Clipboard");
    EXPECT_EQ(window.printButton()->text(), "Print");

    window.gridView()->setCurrentCell(4, 1);
    QTest::keyClicks(window.gridView(), "x");
    QTest::keyClick(window.gridView(), Qt::Key_Backspace);
    QTest::keyClick(window.gridView(), Qt::Key_Delete);
    EXPECT_EQ(grid.text(4, 1), "Sheet File Name    QtyUsed Pri     TotWeight");
    EXPECT_EQ(TempFolder::read(folder.file("Report.tlf")), kSmallReport);
}

TEST_F(ReportWindowTest, CopyPutsTheSelectedRowsOnTheClipboardTabSeparated)
{
    ReportWindow window(dialogs, reportFile(kSmallReport));
    window.gridView()->selectRows(4, 5);
    window.copyButton()->click();

    const QString expected = "Sheet File Name\tQtyUsed Pri\tTotWeight\r\n"
                             "big-sheet-100x100.\t3\t1\t1500000.00\r\n";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "Selection is copied to clipboard. You can paste in Excel sheet.");
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Information);

    // A single current row copies that row alone.
    window.gridView()->setCurrentCell(2, 1);
    EXPECT_EQ(window.copySelection(), "Total Layouts :\t1\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Layouts :\t1\r\n");
}

TEST_F(ReportWindowTest, AMissingReportIsNamedAndTheWindowStaysEmpty)
{
    const QString missing = QString::fromStdString(folder.file("Report.tlf"));
    ReportWindow window(dialogs, missing);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(dialogs.questions[0].text.find("Report.tlf"), std::string::npos) << dialogs.questions[0].text;
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(window.grid().rows(), 2);
    EXPECT_FALSE(window.openButton()->isEnabled());
    EXPECT_FALSE(window.openedExternally());
}

TEST_F(ReportWindowTest, OpenHandsTheReportToTheAssociatedApplication)
{
    const QString path = reportFile(kSmallReport);
    ReportWindow window(dialogs, path);
    window.openButton()->click();
    EXPECT_EQ(urls.opened, std::vector<QString>{path});
}

TEST_F(ReportWindowTest, AReportTooLongForTheWindowGoesToTheAssociatedApplication)
{
    const QString path = reportFile(longReport(kReportGridLineLimit + 1));
    ReportWindow window(dialogs, path);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text.rfind("Report too long to fit.", 0), 0u);
    EXPECT_EQ(urls.opened, std::vector<QString>{path});
    EXPECT_TRUE(window.openedExternally());
    EXPECT_EQ(window.exec(), QDialog::Rejected);
}

TEST_F(ReportWindowTest, ALongReportPrintsOnAsManyPagesAsItsLinesNeed)
{
    constexpr int kLines = 300;
    ReportWindow window(dialogs, reportFile(longReport(kLines)));
    const std::string pdf = folder.file("report.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setPageSize(QPageSize(QPageSize::A4));
        window.printTo(writer);
    }
    // Lines per page measured on a page like the one printed.
    int linesPerPage = 0;
    {
        QPdfWriter probe(QString::fromStdString(folder.file("probe.pdf")));
        probe.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&probe);
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(11);
        painter.setFont(font);
        linesPerPage = painter.viewport().height() / painter.fontMetrics().lineSpacing();
    }
    const int headerLines = 5; // "", "Date: ...", "", "Report", ""
    const int bodyPerPage = linesPerPage - headerLines;
    ASSERT_GT(bodyPerPage, 20);
    const int expectedPages = (kLines + bodyPerPage - 1) / bodyPerPage;
    ASSERT_GT(expectedPages, 3);
    EXPECT_EQ(pdfPageCount(pdf), expectedPages);
}

TEST_F(ReportWindowTest, EveryPrintedPageCarriesTheHeader)
{
    ReportWindow window(dialogs, reportFile(longReport(40)));
    window.setJobFileName("/jobs/plates/order-17.nst");
    const auto pages = window.printPages(1, 40, 15);
    ASSERT_EQ(pages.size(), 5u); // 9 body lines under a header of 6
    for (const auto& page : pages) {
        ASSERT_GE(page.size(), 7u);
        EXPECT_EQ(page[0], "");
        EXPECT_EQ(page[1], "File: order-17.nst");
        EXPECT_TRUE(QRegularExpression("^Date: \\d\\d-\\d\\d-\\d{4}$").match(QString::fromStdString(page[2])).hasMatch())
            << page[2];
        EXPECT_EQ(page[4], "Report");
    }
    EXPECT_EQ(pages[0][6], "line 1    value");
    EXPECT_EQ(pages[4].back(), "line 40    value");
}

TEST_F(ReportWindowTest, ASelectionPrintsOnlyItsRows)
{
    ReportWindow window(dialogs, reportFile(longReport(300)));
    const std::string pdf = folder.file("selection.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setPageSize(QPageSize(QPageSize::A4));
        window.printRowsTo(writer, 10, 12);
    }
    EXPECT_EQ(pdfPageCount(pdf), 1);
    const auto pages = window.printPages(12, 10, 60);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(std::vector<std::string>(pages[0].end() - 3, pages[0].end()),
              (std::vector<std::string>{"line 10    value", "line 11    value", "line 12    value"}));
}

TEST_F(ReportWindowTest, F1OpensTheReportHelpAndEscCloses)
{
    ReportWindow window(dialogs, reportFile(kSmallReport));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.gridView()->setFocus();
    QTest::keyClick(window.gridView(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#report"});
    QTest::keyClick(window.gridView(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

} // namespace
} // namespace dravenor::testing

#include "report_window_test.moc"
