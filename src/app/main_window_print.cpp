// File > Print, Print Preview and Print Scale: the layouts drawn to scale over as many paper
// sheets as they need, at a true scale or fitted by the zoom of the layout view, with its grid
// and labels.
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/app_info.h"
#include "app/layout_panel.h"
#include "app/layout_printer.h"
#include "app/main_window.h"
#include "job/density_table.h"
#include "job/print_config.h"
#include "layouts/faulty_layouts.h"
#include "layouts/job_open.h"
#include "layouts/layout_list.h"

namespace dravenor {

namespace {

// The grid and labels the layout view shows now.
LayoutViewOptions shownViewOptions(const LayoutPanel& panel)
{
    LayoutViewOptions view;
    view.gridText = panel.gridList()->currentText().toStdString();
    view.showNames = panel.showNamesBox()->isChecked();
    view.showPositions = panel.showPositionsBox()->isChecked();
    view.overlay = panel.shownOverlay();
    return view;
}

// The printable area in millimetres with the paper turned as given.
PaperArea paperTurned(const QPagedPaintDevice& device, QPageLayout::Orientation orientation)
{
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(orientation);
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    return {printable.width(), printable.height()};
}

} // namespace

std::vector<int> MainWindow::layoutsFittingOnlyAcross(const QPagedPaintDevice& device, const std::vector<int>& lines,
                                                      const LayoutPrintRun& run) const
{
    const PaperArea upright = paperTurned(device, QPageLayout::Portrait);
    const PaperArea across = paperTurned(device, QPageLayout::Landscape);
    const std::vector<std::string> entries = layoutListEntries(job_.nesting);
    std::vector<int> layouts;
    for (int line : lines) {
        if (line < 0 || static_cast<size_t>(line) >= entries.size()) continue;
        const int layoutNo = layoutNumberOfEntry(entries[static_cast<size_t>(line)]);
        const PrintedSheet sheet = printedSheetOf(job_.nesting, layoutNo);
        if (planLayoutPages(sheet, across, run.scale).pageCount() < planLayoutPages(sheet, upright, run.scale).pageCount())
            layouts.push_back(layoutNo);
    }
    return layouts;
}

LayoutPrintRun MainWindow::layoutPrintRun() const
{
    const LayoutViewOptions view = shownViewOptions(*layoutPanel_);
    LayoutPrintRun run;
    const int scale = printScale();
    run.scale = scale == kFitPrintScale ? PrintScale::zoom(layoutPanel_->zoom())
                                        : PrintScale::oneTo(scale, job_.nesting.drawingUnit);
    run.options.view = view;
    run.options.view.remnants = remnantMarksOf(job_);
    run.options.lineWidth = lineWidth();
    run.job = {printDate(), job_.jobFileName, job_.nesting.details};
    run.faulty = faultyLayoutsOf(job_);
    std::vector<std::string> warnings;
    run.density = densityFor(readDensityTable(workingFolder_.toStdString(), warnings), job_.nesting.details.Mat);
    return run;
}

LayoutPrintResult MainWindow::printLayoutsTo(QPagedPaintDevice& device, bool currentOnly)
{
    const std::vector<int> lines =
        currentOnly ? std::vector<int>{layoutPanel_->layoutList()->currentIndex()} : allLayoutLines(job_.nesting);
    LayoutPrintRun run = layoutPrintRun();
    // Paper upright on which a layout takes more sheets than across: offered turned.
    if (device.pageLayout().orientation() == QPageLayout::Portrait) {
        const std::vector<int> across = layoutsFittingOnlyAcross(device, lines, run);
        if (!across.empty()
            && dialogs_.message(landscapeQuestion(across), appTitle().toStdString(), DialogService::Icon::Question,
                                DialogService::Buttons::YesNo) == DialogService::Answer::Yes)
            device.setPageOrientation(QPageLayout::Landscape);
    }
    // A zoomed view or a large true scale can take dozens of paper sheets: said once, with Fit
    // offered, instead of a question per layout.
    const PaperArea paper = paperTurned(device, device.pageLayout().orientation());
    const int layouts = static_cast<int>(lines.size());
    if (const int sheets = paperSheetsFor(job_.nesting, lines, run.scale, paper); sheets > layouts) {
        const auto answer = dialogs_.message(manyPaperSheetsQuestion(sheets, layouts), appTitle().toStdString(),
                                             DialogService::Icon::Question, DialogService::Buttons::YesNoCancel);
        if (answer == DialogService::Answer::Cancel) return {};
        if (answer == DialogService::Answer::Yes) run.scale = PrintScale::zoom(1);
        return dravenor::printLayoutsTo(device, job_.nesting, lines, run, {});
    }
    // The question about each layout's paper can skip it; it names the layout, so the view (its
    // layout, zoom and place) is left as the user set it.
    const PaperSheetConfirm confirm = [this](int, const std::string& question) {
        return dialogs_.message(question, appTitle().toStdString(), DialogService::Icon::Information,
                                DialogService::Buttons::YesNo) == DialogService::Answer::Yes;
    };
    return dravenor::printLayoutsTo(device, job_.nesting, lines, run, confirm);
}

void MainWindow::buildPrintScaleMenu(QMenu* file)
{
    QMenu* scales = file->addMenu(tr("Print &Scale"));
    auto* group = new QActionGroup(this);
    for (const int n : kPrintScaleChoices) {
        const QString caption = n == kFitPrintScale ? tr("&Fit (as the zoom shows)") : QStringLiteral("1 : %1").arg(n);
        QAction* action = scales->addAction(caption, this, [this, n] { choosePrintScale(n); });
        action->setCheckable(true);
        group->addAction(action);
        printScaleActions_.push_back(action);
        if (n == kFitPrintScale) scales->addSeparator();
    }
    showPrintScale();
}

void MainWindow::showPrintScale()
{
    const int chosen = printScale();
    for (size_t i = 0; i < printScaleActions_.size(); ++i) printScaleActions_[i]->setChecked(kPrintScaleChoices[i] == chosen);
}

void MainWindow::choosePrintScale(int denominator)
{
    const std::string problem = savePrintScale(workingFolder_.toStdString(), denominator);
    if (!problem.empty()) tell(problem, DialogService::Icon::Exclamation);
    showPrintScale();
}

int MainWindow::printScale() const
{
    return readPrintScale(workingFolder_.toStdString()).denominator;
}

QAction* MainWindow::printScaleAction(int denominator) const
{
    for (size_t i = 0; i < printScaleActions_.size(); ++i)
        if (kPrintScaleChoices[i] == denominator) return printScaleActions_[i];
    return nullptr;
}

void MainWindow::printLayouts()
{
    if (layoutPanel_->currentLayout() == 0) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(appTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    printer.setPrintRange(QPrinter::Selection);
    if (dialog.exec() != QDialog::Accepted) return;
    printLayoutsTo(printer, printer.printRange() == QPrinter::Selection);
}

void MainWindow::previewPrint()
{
    if (layoutPanel_->currentLayout() == 0) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(appTitle());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(tr("Print Preview"));
    // The preview repaints on every change of paper or orientation: no questions here, the
    // pages themselves show what each layout takes.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        dravenor::printLayoutsTo(*target, job_.nesting, allLayoutLines(job_.nesting), layoutPrintRun());
    });
    preview.exec();
}

} // namespace dravenor
