#include "app/quote_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/help_key.h"
#include "app/text_printout.h"
#include "job/files.h"
#include "layouts/report_pages.h"
#include "quote/quote_text.h"

namespace dravenor {

namespace {

constexpr const char* kCsvFilter = "CSV files (*.csv);;All files (*)";
constexpr int kPrintPointSize = 10;

QString joined(const std::vector<std::string>& lines)
{
    return QString::fromStdString(joinedLines(lines));
}

} // namespace

QuoteWindow::QuoteWindow(DialogService& dialogs, quote::JobQuote made, Requote requote, std::string csvName,
                         QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), made_(std::move(made)), requote_(std::move(requote)), csvName_(std::move(csvName))
{
    setWindowTitle(QString::fromLatin1(kQuoteWindowTitle));
    buildWidgets();
    addHelpKey(*this, dialogs_, "index.html#quote");
    fill();
}

void QuoteWindow::buildWidgets()
{
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);

    auto* options = new QHBoxLayout;
    margin_ = new QDoubleSpinBox(this);
    margin_->setRange(-100, 10000);
    margin_->setDecimals(2);
    margin_->setSuffix(QStringLiteral(" %"));
    margin_->setValue(quote().options.marginPercent);
    auto* marginLabel = new QLabel(tr("&Margin:"), this);
    marginLabel->setBuddy(margin_);
    share_ = new QComboBox(this);
    share_->addItems({tr("by true area"), tr("by length along the sheet")});
    share_->setCurrentIndex(quote().options.share == quote::MaterialShare::Area ? 0 : 1);
    auto* shareLabel = new QLabel(tr("Material &shared:"), this);
    shareLabel->setBuddy(share_);
    for (QWidget* w : std::initializer_list<QWidget*>{marginLabel, margin_, shareLabel, share_}) options->addWidget(w);
    options->addStretch();
    layout->addLayout(options);

    table_ = new QTableWidget(this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    layout->addWidget(table_, 1);

    whatIf_ = new QLabel(this);
    whatIf_->setWordWrap(true);
    layout->addWidget(whatIf_);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("&Copy"), this);
    auto* csv = new QPushButton(tr("Save as CS&V..."), this);
    auto* print = new QPushButton(tr("&Print..."), this);
    auto* close = new QPushButton(tr("Close"), this);
    close->setDefault(true);
    for (QPushButton* b : {copy, csv, print}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, [this] { copyQuote(); });
    connect(csv, &QPushButton::clicked, this, &QuoteWindow::saveCsvWithDialog);
    connect(print, &QPushButton::clicked, this, &QuoteWindow::printWithDialog);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(margin_, &QDoubleSpinBox::valueChanged, this, &QuoteWindow::marginChanged);
    connect(share_, &QComboBox::currentIndexChanged, this, &QuoteWindow::shareChanged);
    resize(960, 660);
}

void QuoteWindow::fill()
{
    summary_->setText(joined(quote::quoteSummary(quote())));
    whatIf_->setText(joined(made_.whatIf));
    const quote::TextTable rows = quote::partTable(quote());
    table_->clear();
    table_->setColumnCount(static_cast<int>(rows[0].size()));
    table_->setRowCount(static_cast<int>(rows.size()) - 1);
    for (size_t c = 0; c < rows[0].size(); ++c)
        table_->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(rows[0][c])));
    for (size_t r = 1; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (r + 1 == rows.size()) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
        }
}

void QuoteWindow::marginChanged(double percent)
{
    quote::applyMargin(*made_.result.quote, percent);
    fill();
}

void QuoteWindow::shareChanged(int index)
{
    quote::QuoteOptions options = quote().options;
    options.share = index == 0 ? quote::MaterialShare::Area : quote::MaterialShare::Length;
    quote::JobQuote again = requote_(options);
    if (!again.result.quote) {
        dialogs_.message(again.result.error, kQuoteWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }
    made_.result = std::move(again.result);
    fill();
}

std::string QuoteWindow::copyQuote()
{
    const std::string text = quote::quoteClipboardText(quote());
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    return text;
}

bool QuoteWindow::saveCsv(const std::string& path)
{
    const std::string problem = writeFileAtomically(path, quote::quoteCsv(quote()));
    if (!problem.empty())
        dialogs_.message(problem, kQuoteWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
    return problem.empty();
}

void QuoteWindow::saveCsvWithDialog()
{
    const std::string path = dialogs_.saveFileName("Save Quote as CSV", kCsvFilter, csvName_);
    if (!path.empty()) saveCsv(path);
}

void QuoteWindow::printTo(QPagedPaintDevice& device) const
{
    const std::string date = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    const std::vector<std::string> header{"", "Date: " + date, "", "Quote of " + quote().jobName, ""};
    const std::vector<std::string> body = quote::quoteLines(quote(), made_.whatIf);
    printTextPages(device, kPrintPointSize, [&](int linesPerPage) { return paginate(body, header, linesPerPage); });
}

void QuoteWindow::printWithDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

} // namespace dravenor
