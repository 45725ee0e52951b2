// Tools > Quote: refused naming the price table while it lacks the job's row, then the quote
// window's table adds up, follows the margin, saves its CSV whole and quotes again when material
// is shared another way.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTableWidget>

#include "app/quote_window.h"
#include "main_window_fixture.h"
#include "quote/quote_text.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

TEST_F(MainWindowTest, QuoteNamesAMissingPriceRowThenAddsUpFollowsTheMarginAndSavesItsCsv)
{
    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Thick", "10");
    enterJob("2", "8");
    optimise();
    write("post.cfg", "comments = parentheses\r\n");
    write("cutting.dat", "\"S235\",\"10\",\"3\",\"1500\",\"0.8\",\"6\",\"3\",\"1\"\r\n");
    write("density.dat", "\"S235\",\"0.00000785\"\r\n");
    write("prices.dat", "\"S235\",\"\",\"12\",\"1.1\",\"90\",\"0.25\",\"15\",\"5\",\"0.2\",\"80\"\r\n");
    window->showQuote();
    ASSERT_FALSE(dialogs.questions.empty());
    EXPECT_TRUE(contains(dialogs.questions.back().text, "prices.dat has no row for material \"S235\" at thickness 10"))
        << dialogs.questions.back().text;

    write("prices.dat", "\"S235\",\"\",\"10\",\"1.1\",\"90\",\"0.25\",\"15\",\"5\",\"0.2\",\"80\"\r\n");
    quote::JobQuote made = window->currentQuote({}, false);
    ASSERT_TRUE(made.result.quote) << made.result.error;
    std::vector<quote::MaterialShare> requoted;
    QuoteWindow quoteWindow(dialogs, made, [&](const quote::QuoteOptions& o) {
        requoted.push_back(o.share);
        return window->currentQuote(o, false);
    }, folder.filePath("q.csv").toStdString());
    QTableWidget& table = *quoteWindow.table();
    const int totals = table.rowCount() - 1, priceColumn = 8;
    EXPECT_EQ(table.item(totals, 0)->text(), "Total");
    quoteWindow.show();
    quoteWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&quoteWindow));
    QTest::keyClick(&table, Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#quote"});

    // A margin of 25 % marks the cost up and the part prices still add up to the price.
    quoteWindow.marginBox()->setValue(25);
    const quote::Cents cost = quoteWindow.quote().cost.total();
    EXPECT_EQ(table.item(totals, priceColumn)->text().toStdString(), quote::centsText(std::llround(cost * 1.25)));
    quote::Cents prices = 0;
    for (int r = 0; r < totals; ++r) prices += std::llround(table.item(r, priceColumn)->text().toDouble() * 100);
    EXPECT_EQ(prices, quoteWindow.quote().price);

    // The CSV is the quote's; one that cannot be written is told and leaves nothing.
    ASSERT_TRUE(quoteWindow.saveCsv(folder.filePath("q.csv").toStdString()));
    EXPECT_EQ(TempFolder::read(folder.filePath("q.csv").toStdString()), quote::quoteCsv(quoteWindow.quote()));
    const size_t told = dialogs.questions.size();
    EXPECT_FALSE(quoteWindow.saveCsv(folder.filePath("none/q.csv").toStdString()));
    EXPECT_EQ(dialogs.questions.size(), told + 1);
    EXPECT_FALSE(exists("none/q.csv"));

    quoteWindow.shareBox()->setCurrentIndex(1);
    EXPECT_EQ(requoted, std::vector<quote::MaterialShare>{quote::MaterialShare::Length});
    EXPECT_EQ(quoteWindow.quote().options.share, quote::MaterialShare::Length);
}

} // namespace
} // namespace dravenor::testing
