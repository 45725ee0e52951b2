#include "app/table_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/help_key.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

constexpr int kGridPointSize = 9;
constexpr int kVisibleRows = 12;

// The busy pointer for as long as the object lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

TableWindow::TableWindow(DialogService& dialogs, TableFile file, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), file_(std::move(file))
{
    setWindowTitle(QString::fromStdString(file_.title));
    std::vector<std::string> warnings;
    grid_ = file_.load(warnings);
    buildWidgets();
    // A new window opens at most two thirds of the screen wide; a table shows all its columns
    // where the screen has room for them.
    if (const QScreen* shown = screen()) resize(sizeHint().boundedTo(shown->availableGeometry().size()));
    if (!warnings.empty())
        dialogs_.message(joinedLines(warnings), file_.title, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
}

TableWindow::~TableWindow()
{
    // The grid view reads grid_, which goes before the window's children would.
    delete gridView_;
}

bool TableWindow::beforeChange(int)
{
    return true;
}

std::vector<std::string> TableWindow::chooseFiles(const TextGrid&, bool)
{
    return {};
}

void TableWindow::buildWidgets()
{
    GridEditOptions options;
    options.keepEntryRow = true;
    gridView_ = new GridView(grid_, *this, options);
    gridView_->setColumnUnits(file_.units);
    QFont font = gridView_->font();
    font.setPointSize(kGridPointSize);
    gridView_->setFont(font);
    gridView_->setVisibleRows(kVisibleRows);

    doneButton_ = new QPushButton(tr("Done"));
    cancelButton_ = new QPushButton(tr("Cancel"));
    // Enter belongs to the grid; only a click or the buttons' own keys close the window.
    for (QPushButton* button : {doneButton_, cancelButton_}) button->setAutoDefault(false);
    connect(doneButton_, &QPushButton::clicked, this, [this] { done(); });
    connect(cancelButton_, &QPushButton::clicked, this, &TableWindow::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(doneButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gridView_, 1);
    layout->addLayout(buttons);

    addHelpKey(*this, dialogs_, file_.helpAnchor);
    gridView_->setFocus();
}

bool TableWindow::done()
{
    std::string error;
    {
        BusyPointer busy;
        const int column = grid_.col;
        error = file_.save(grid_);
        if (error.empty()) {
            // What the file now holds is what the window shows: sorted, no empty rows, one entry row.
            std::vector<std::string> ignored;
            grid_ = file_.load(ignored);
            gridView_->refresh();
            gridView_->setCurrentCell(1, column);
        }
    }
    if (!error.empty()) {
        dialogs_.message(error, file_.title, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return false;
    }
    accept();
    return true;
}

void TableWindow::cancel()
{
    reject();
}

} // namespace dravenor
