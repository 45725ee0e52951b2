#include "app/report_window.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_key.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "layouts/report_clipboard.h"
#include "layouts/report_grid.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

constexpr int kScreenPointSize = 9;
constexpr int kWindowWidthChars = 84;

} // namespace

ReportWindow::ReportWindow(DialogService& dialogs, const QString& reportPath, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), reportPath_(reportPath), grid_(reportGrid(""))
{
    setWindowTitle(QString::fromLatin1(kReportWindowTitle));
    load();
    buildWidgets();
}

ReportWindow::~ReportWindow()
{
    // The grid view reads grid_, which goes before the window's children would.
    delete gridView_;
}

bool ReportWindow::beforeChange(int keyCode)
{
    // The report is read-only: no key changes it (Esc still closes the window).
    return keyCode == KeyEscape;
}

std::vector<std::string> ReportWindow::chooseFiles(const TextGrid&, bool)
{
    return {};
}

void ReportWindow::showProblem(const std::string& text)
{
    dialogs_.message(text, kReportWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
}

void ReportWindow::load()
{
    const FileText file = readWholeFile(reportPath_.toStdString());
    if (!file.bytes) {
        showProblem(file.error);
        return;
    }
    if (countLines(*file.bytes) > kReportGridLineLimit) {
        dialogs_.message(kReportTooLongMessage, kReportWindowTitle, DialogService::Icon::Information,
                         DialogService::Buttons::Ok);
        openExternally();
        openedExternally_ = true;
        return;
    }
    grid_ = reportGrid(*file.bytes);
}

void ReportWindow::buildWidgets()
{
    gridView_ = new GridView(grid_, *this);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(kScreenPointSize);
    gridView_->setFont(fixed);
    gridView_->verticalHeader()->hide();
    gridView_->horizontalHeader()->hide();
    gridView_->setAlternatingRowColors(false);
    gridView_->setShowGrid(false);
    gridView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridView_->setTextElideMode(Qt::ElideRight);
    gridView_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(kWindowWidthChars, QLatin1Char('M'))));

    copyButton_ = new QPushButton(tr("Copy"));
    copyButton_->setToolTip(tr("Copy to Clipboard"));
    printButton_ = new QPushButton(tr("Print"));
    printButton_->setToolTip(tr("Print the report"));
    openButton_ = new QPushButton(tr("Open"));
    openButton_->setToolTip(tr("Open with the associated application"));
    for (QPushButton* button : {copyButton_, printButton_, openButton_}) button->setAutoDefault(false);
    connect(copyButton_, &QPushButton::clicked, this, [this] { copySelection(); });
    connect(printButton_, &QPushButton::clicked, this, &ReportWindow::printWithDialog);
    connect(openButton_, &QPushButton::clicked, this, &ReportWindow::openExternally);
    openButton_->setEnabled(fileExists(reportPath_.toStdString()));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton_);
    buttons->addWidget(printButton_);
    buttons->addStretch();
    buttons->addWidget(openButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gridView_, 1);
    layout->addLayout(buttons);
    resize(sizeHint().width(), 600);

    addHelpKey(*this, dialogs_, "index.html#report");
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, [this] { copySelection(); });
    gridView_->setFocus();
}

std::string ReportWindow::copySelection()
{
    const std::string text = reportClipboardText(grid_, grid_.selStartRow, grid_.selEndRow, 1, grid_.cols() - 1);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
    dialogs_.message(kReportCopiedMessage, kReportWindowTitle, DialogService::Icon::Information,
                     DialogService::Buttons::Ok);
    return text;
}

void ReportWindow::openExternally()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(reportPath_)))
        showProblem(reportPath_.toStdString() + ": no application could open the report");
}

int ReportWindow::exec()
{
    if (openedExternally_) return QDialog::Rejected;
    return QDialog::exec();
}

} // namespace dravenor
