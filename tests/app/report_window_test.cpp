// The report window: the report file shown line by line, read-only, copied to the clipboard as
// tab-separated text, printed page by page with its header, opened with the associated
// application, and the help and Esc keys.
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
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

class ReportWindowTest : public ::testing::Test {
protected:
    QString reportFile(const std::string& content) { return QString::fromStdString(folder.write("Report.tlf", content)); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    UrlCatcher urls;
};

TEST_F(ReportWindowTest, ShowsEveryLineAsOneReadOnlyRowAndCopiesTheSelectionTabSeparated)
{
    ReportWindow window(dialogs, reportFile(kSmallReport));
    const TextGrid& grid = window.grid();
    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_EQ(grid.rows(), 7);
    EXPECT_EQ(grid.text(1, 1), "Overall Yield : 15      Overall Base Yield : 20");
    EXPECT_EQ(grid.text(3, 1), "");
    EXPECT_EQ(grid.text(6, 1), "Note=indented") << "leading blanks are dropped by the field reading";
    EXPECT_TRUE(window.gridView()->verticalHeader()->isHidden());
    EXPECT_TRUE(window.gridView()->horizontalHeader()->isHidden());
    EXPECT_TRUE(QFontInfo(window.gridView()->font()).fixedPitch());
    EXPECT_EQ(window.copyButton()->toolTip(), "Copy to Clipboard");
    window.gridView()->setCurrentCell(4, 1);
    QTest::keyClicks(window.gridView(), "x");
    QTest::keyClick(window.gridView(), Qt::Key_Backspace);
    QTest::keyClick(window.gridView(), Qt::Key_Delete);
    EXPECT_EQ(grid.text(4, 1), "Sheet File Name    QtyUsed Pri     TotWeight");
    EXPECT_EQ(TempFolder::read(folder.file("Report.tlf")), kSmallReport);

    window.gridView()->selectRows(4, 5);
    window.copyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Sheet File Name\tQtyUsed Pri\tTotWeight\r\n"
                                                    "big-sheet-100x100.\t3\t1\t1500000.00\r\n");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "Selection is copied to clipboard. You can paste in Excel sheet.");
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Information);
    // A single current row copies that row alone.
    window.gridView()->setCurrentCell(2, 1);
    EXPECT_EQ(window.copySelection(), "Total Layouts :\t1\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Layouts :\t1\r\n");
}

TEST_F(ReportWindowTest, OpenOrAReportTooLongForTheWindowGoesToTheAssociatedApplication)
{
    const QString path = reportFile(kSmallReport);
    ReportWindow window(dialogs, path);
    window.openButton()->click();
    EXPECT_EQ(urls.opened, std::vector<QString>{path});

    reportFile(longReport(kReportGridLineLimit + 1));
    ReportWindow tooLong(dialogs, path);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text.rfind("Report too long to fit.", 0), 0u);
    EXPECT_EQ(urls.opened, (std::vector<QString>{path, path}));
    EXPECT_TRUE(tooLong.openedExternally());
    EXPECT_EQ(tooLong.exec(), QDialog::Rejected);

    // A missing report is named and the window stays empty.
    QFile::remove(path);
    ReportWindow missing(dialogs, path);
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_NE(dialogs.questions[1].text.find("Report.tlf"), std::string::npos) << dialogs.questions[1].text;
    EXPECT_EQ(dialogs.questions[1].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(missing.grid().rows(), 2);
    EXPECT_FALSE(missing.openButton()->isEnabled());
    EXPECT_FALSE(missing.openedExternally());
}

TEST_F(ReportWindowTest, PrintsAllOrTheSelectedRowsUnderTheHeaderOnEveryPage)
{
    ReportWindow window(dialogs, reportFile(longReport(300)));
    window.setJobFileName("/jobs/plates/order-17.nst");
    const auto pages = window.printPages(10, 12, 15);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0][1], "File: order-17.nst");
    EXPECT_TRUE(QRegularExpression("^Date: \\d\\d-\\d\\d-\\d{4}$").match(QString::fromStdString(pages[0][2])).hasMatch());
    EXPECT_EQ(pages[0][4], "Report");
    EXPECT_EQ(std::vector<std::string>(pages[0].begin() + 6, pages[0].end()),
              (std::vector<std::string>{"line 10    value", "line 11    value", "line 12    value"}));

    // On paper: as many pages as the lines need at the lines a page holds.
    const auto print = [&](const char* name, int fromRow, int toRow) {
        const std::string pdf = folder.file(name);
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setPageSize(QPageSize(QPageSize::A4));
        if (fromRow == 0) window.printTo(writer);
        else window.printRowsTo(writer, fromRow, toRow);
        return pdfPageCount(pdf);
    };
    QPdfWriter probe(QString::fromStdString(folder.file("probe.pdf")));
    probe.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&probe);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    painter.setFont(font);
    const int headerLines = 6; // "", "File: ...", "Date: ...", "", "Report", ""
    const int bodyPerPage = painter.viewport().height() / painter.fontMetrics().lineSpacing() - headerLines;
    ASSERT_GT(bodyPerPage, 20);
    EXPECT_EQ(print("all.pdf", 0, 0), static_cast<size_t>((300 + bodyPerPage - 1) / bodyPerPage));
    EXPECT_GT(print("all.pdf", 0, 0), 3u);
    EXPECT_EQ(print("selection.pdf", 10, 12), 1u);
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
