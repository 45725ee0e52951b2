#pragma once
// The main window: the job's three grids (basic details, sheets, parts), the previews of the
// selected sheet and part, and the File, Edit and Help menus. It owns the job; the editing rules
// run in the core and in MainWindowEditHost, the window only shows and forwards.
#include <QMainWindow>
#include <array>
#include <memory>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/main_window_edit_host.h"
#include "job/job.h"
#include "layouts/layout_print_run.h"
#include "quote/job_quote.h"
#include "stock/layout_cut.h"
#include "ui/dialog_service.h"

class QAction;
class QMenu;
class QPagedPaintDevice;
class QRect;
class QSplitter;

namespace dravenor {

class CanvasView;
class DeepProgressWindow;
class DeepSettingsDialog;
class GridView;
class LayoutPanel;
struct PartsList;
class ProgressWindow;
class StockWindow;

// The cut plans the layout view shows (main_window_cutting.cpp).
struct CutPlanCache;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(DialogService& dialogs, QString workingFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    Job& job() { return job_; }
    const Job& job() const { return job_; }
    const QString& workingFolder() const { return workingFolder_; }
    MainWindowEditHost& editHost() { return host_; }

    // Grid 0 basic details, 1 sheets, 2 parts.
    GridView* gridView(int gridIndex) const { return grids_.at(static_cast<size_t>(gridIndex)); }
    // Preview of the current sheet (1) or part (2).
    CanvasView* previewCanvas(int gridIndex) const;

    // "Save As" of the job: returns true when the job was saved. While it is empty, Yes to the
    // unsaved-changes question saves nothing and keeps the job.
    std::function<bool()> saveAs;
    // Opens the shape editor on a file (the preview's "Click To Edit"); openShapeEditor unless
    // replaced (tests); empty: clicks do nothing.
    std::function<void(const std::string&)> editShape;

    // Shows the shape editor on the file (a new shape when empty) until the user closes it.
    void openShapeEditor(const std::string& file);

    // Tools > Layout Editor: the current layout handed to the layout editor through edit.lay in
    // the working folder and, when the editor leaves the file there, taken back into the job.
    // With no layouts the editor opens on its own.
    void editCurrentLayout();
    // Shows the layout editor until it is closed; openLayoutEditor unless replaced (tests).
    std::function<void()> editLayout;
    void openLayoutEditor();
    QAction* layoutEditorAction() const { return layoutEditorAction_; }

    // Optimize > Start Optimization: the checks, the progress window (of Deep Nesting in that
    // mode), then the layouts shown.
    void startOptimisation();
    // Called with the progress window before it is shown (tests use it to cancel or watch).
    std::function<void(ProgressWindow&)> beforeProgressShown;
    std::function<void(DeepProgressWindow&)> beforeDeepProgressShown;
    // Optimize > Deep Nesting Settings: the dialog; settings changed by OK mark the job modified.
    void editDeepSettings();
    // Called with the settings dialog before it is shown (tests fill it in and press a button).
    std::function<void(DeepSettingsDialog&)> beforeDeepSettingsShown;
    QAction* deepSettingsAction() const { return deepSettingsAction_; }
    // Optimize > Parts Inside Holes: the job's switch (checked: parts may lie in other parts'
    // holes); a change marks the job modified.
    void choosePartsInHoles(bool allowed);
    QAction* partsInHolesAction() const { return partsInHolesAction_; }
    // Nesting for common lines, a job option kept in the job file.
    void chooseCommonLines(bool on);
    QAction* commonLinesAction() const { return commonLinesAction_; }
    LayoutPanel* layoutPanel() const { return layoutPanel_; }
    QAction* startAction() const { return startAction_; }
    // Optimize menu mode items: 0 Stack, 1 Continuous Stack, 2 Free, 3 Deep.
    QAction* modeAction(int index) const { return modeActions_.at(static_cast<size_t>(index)); }

    // File > Open: New, then the open dialog and the job read with its layouts rebuilt.
    void openJobWithDialog();
    // Opens a job file as Open does after its dialog; false (with a message) when it cannot.
    bool openJobFile(const std::string& path);
    // File > Save and Save As; true when the job was saved.
    bool saveJobFile();
    bool saveJobAs();
    // File > Import Parts List... and Import Parts Folder...: the rows of a parts list (CSV) or
    // the drawings and shape files of a folder added to the part grid. Rows for another
    // material or thickness are named and left out; a list with bad lines names them all and
    // adds nothing unless the user chooses to go on with the good rows.
    void importPartsList();
    void importPartsFolder();
    // File > Line Width For Printing (1..5), kept in print.cfg of the working folder.
    void chooseLineWidth(int width);
    int lineWidth() const;
    // File > Drawing Units: the unit of every length of the job, kept in units.cfg of the working
    // folder; drawings that name their units are converted to it. Layouts made in the other
    // unit are thrown away (after the question).
    void chooseDrawingUnit(DrawingUnit unit);
    DrawingUnit drawingUnit() const;
    QAction* drawingUnitAction(DrawingUnit unit) const { return unitActions_.at(unit == DrawingUnit::Inch ? 1 : 0); }
    // View > Report: writes Report.tlf and shows it; View > Layout: the layout list.
    void showReport();
    void showLayouts();
    // Tools > Density Table.
    void showDensityTable();
    // Tools > Cut Table: the cutting data of each material and thickness (cutting.dat).
    void showCutTable();
    // Tools > Price Table (prices.dat) and Tools > Quote: the job's layouts priced with the
    // working folder's tables, added to the saved job's quote history, in the quote window; a
    // quote that cannot be made is refused naming the file and line (main_window_quote.cpp).
    void showPriceTable();
    void showQuote();
    // The job's quote now with the working folder's tables; `record` adds it to the history.
    quote::JobQuote currentQuote(const quote::QuoteOptions& options, bool record) const;
    // File > Export NC Program (the current layout, to a file the user names) and Export All NC
    // Programs (JOB-layout-N.nc in a folder the user chooses), with the working folder's cut table
    // and post file; each closes with a message naming the folder and the files written.
    void exportNcProgram();
    void exportAllNcPrograms();

    // The plate stock (main_window_stock.cpp). Tools > Stock: the Stock window on the stock folder.
    void showStock();
    // Tools > Stock Folder: the folder chosen, kept in stock.cfg of the working folder.
    void chooseStockFolder();
    std::string stockFolder() const;
    // Tools > Sheets From Stock: the sheet grid filled with the stock's plates of the job's
    // material and thickness, remnants first (after the question when there are layouts).
    bool takeSheetsFromStock();
    // Tools > Layouts Cut: these layouts (count 0: their own number of sheets) taken into the
    // stock (empty: all of them); a layout taken in before is cut again only when the user says
    // so. With confirm, the user is first shown what each layout takes out and puts in (OK must
    // be chosen). The job must be saved. True when the stock took them.
    bool cutLayoutsIntoStock(const std::vector<LayoutCount>& layouts, bool confirm = false);
    // Tools > Undo Last Cut: the stock's last change taken back when it was a cut, and said so.
    bool undoLastCut();
    // Asks how many sheets of the current layout were cut, then cutLayoutsIntoStock.
    void cutCurrentLayout();
    // The stock ids of the job's remnants, read again from the stock; the layouts redrawn.
    void refreshRemnantIds();
    // Called with the Stock window before it is shown (tests work it and close it).
    std::function<void(StockWindow&)> beforeStockShown;
    // "Save this layout as DXF...": the selected layout as a DXF drawing or a shape file, part
    // names written when "Show Part Name" is ticked.
    void saveLayoutAs();
    // File > Save All Layouts as DXF: every layout as a drawing in the folder the user chooses,
    // named after the job file and the layout list's lines.
    void saveAllLayoutsAsDxf();
    // File > Print: the print dialog (all layouts, or the current one as the selection), then
    // each layout to scale after the question about the paper it takes. File > Print Preview:
    // every layout in the preview window. With no layouts both only give the notice.
    void printLayouts();
    void previewPrint();
    // Prints all layouts or the current one onto a printer or PDF, asking about each layout.
    LayoutPrintResult printLayoutsTo(QPagedPaintDevice& device, bool currentOnly);
    // File > Print Scale: the fit by the layout view's zoom (0) or a true scale 1 : N, kept in
    // printscale.cfg of the working folder.
    void choosePrintScale(int denominator);
    int printScale() const;
    // The item of a choice of kPrintScaleChoices (0 for the fit).
    QAction* printScaleAction(int denominator) const;
    QAction* printAction() const { return printAction_; }
    QAction* printPreviewAction() const { return printPreviewAction_; }
    QAction* lineWidthAction(int width) const { return lineWidthActions_.at(static_cast<size_t>(width - 1)); }

    // File > New: the unsaved-changes prompt, then an empty job. False (the job kept as it is)
    // when the user chose to save and the job was not saved.
    bool newJob();
    // Redraws the preview of the sheet (1) or part (2) grid's current file.
    void refreshPreview(int gridIndex);
    // Re-reads all three grids from the job (after the job was changed elsewhere, e.g. loaded).
    void refreshGrids();
    // Caption from the program title and the job file name.
    void updateCaption();
    // Moves the keyboard focus to a grid (Edit menu).
    void focusGrid(int gridIndex);

    // Sets the window's size and position within the available screen area: the one kept in
    // window.cfg of the working folder, else the first-start size centred; either brought within
    // the area. The constructor places the window on its screen this way.
    void placeWithin(const QRect& available);
    // File > Recent Files: the jobs opened or saved lately (recent.cfg of the working folder),
    // newest first; choosing one opens it as Open does, after the unsaved-changes question.
    QMenu* recentFilesMenu() const { return recentMenu_; }
    void openRecentJob(const std::string& path);

    // Keeps the window's size and position in window.cfg (done when the window closes).
    void rememberPlacement() const;

    // Splitters between the sheet and part grids, and between the grids, previews and layouts.
    QSplitter* gridSplitter() const { return gridSplitter_; }
    QSplitter* columnSplitter() const { return columnSplitter_; }

    // Edit menu items (also on the toolbar) that move the keyboard to grid 0, 1 or 2.
    QAction* gridAction(int gridIndex) const { return gridActions_.at(static_cast<size_t>(gridIndex)); }

    QAction* newAction() const { return newAction_; }
    QAction* exitAction() const { return exitAction_; }
    QAction* helpAction() const { return helpAction_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildGrids();
    void buildLayout();
    void buildMenus();
    void onPreviewClicked(int gridIndex);
    std::string currentFileName(int gridIndex) const;
    // Check marks of the mode items from the job's nesting mode.
    void showNestingMode();
    // Checks the action and sets the job option it stands for; the job is modified when it changed.
    void chooseJobSwitch(QAction* action, bool& option, bool on);
    // The run of startOptimisation, after its checks, with what the drawings were read with;
    // the finished state.
    // The cut table's kerf for the job's material and thickness into the Kerf cell (and Deep
    // Nesting's spacing when it is less), so the run nests with the kerf the programs cut with;
    // a note per change.
    std::vector<std::string> takeCutTableKerf();
    NestingState runClassic(const std::string& notes);
    NestingState runDeep(const std::string& notes);
    // Check mark of the line-width item from print.cfg.
    void showLineWidth();
    // The job's drawing unit and the check mark of its item from units.cfg.
    void showDrawingUnit();
    // The grids, mode, caption, previews and layouts of a job just loaded.
    void showJob();
    bool saveJobTo(const std::string& path);
    void tell(const std::string& text, DialogService::Icon icon);
    static std::string jobFileFilter();
    // Scale, grid, labels and line width of a printout as the layout view and the print
    // settings stand.
    LayoutPrintRun layoutPrintRun() const;
    void buildPrintScaleMenu(QMenu* file);
    void buildPartsImportItems(QMenu* file);
    // Adds the list's rows to the part grid after the questions; source names it in messages.
    void addListedParts(const PartsList& list, const std::string& source);
    // The cut plan of a layout drawn over the view ("Show Cut Plan"), or why there is none.
    void drawCutPlanOf(int layoutNo, DrawingSurface& surface, double mirror);
    // Adds the estimated cutting time of every layout to the report file; "" or the message.
    std::string appendCutTimesTo(const std::string& reportPath) const;
    // Layout numbers of the list lines that take fewer paper sheets across (landscape) than
    // upright on the device's paper.
    std::vector<int> layoutsFittingOnlyAcross(const QPagedPaintDevice& device, const std::vector<int>& lines,
                                              const LayoutPrintRun& run) const;
    void buildRecentFilesMenu(QMenu* file);
    void fillRecentFilesMenu();
    // Puts the job in front of recent.cfg and the menu.
    void rememberRecentJob(const std::string& path);
    void showPrintScale();

    Job job_;
    DialogService& dialogs_;
    QString workingFolder_;
    MainWindowEditHost host_;
    std::array<GridView*, 3> grids_{};
    std::array<CanvasView*, 2> previews_{};
    QAction* newAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* startAction_ = nullptr;
    QAction* layoutEditorAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* printPreviewAction_ = nullptr;
    QAction* deepSettingsAction_ = nullptr;
    QAction* partsInHolesAction_ = nullptr;
    QAction* commonLinesAction_ = nullptr;
    std::array<QAction*, 4> modeActions_{};
    std::array<QAction*, 3> gridActions_{};
    std::array<QAction*, 5> lineWidthActions_{};
    std::vector<QAction*> printScaleActions_; // in the order of kPrintScaleChoices
    std::array<QAction*, 2> unitActions_{}; // millimetres, inches
    LayoutPanel* layoutPanel_ = nullptr;
    // Plans drawn over the view, kept while their layout and cutting data stay the same.
    std::shared_ptr<CutPlanCache> cutPlans_;
    QSplitter* gridSplitter_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    // The drawing notes the user was shown in a box this session.
    std::set<std::string> toldNotes_;
    QSplitter* columnSplitter_ = nullptr;
};

} // namespace dravenor
