#pragma once
// The report window: the report file line by line in a one-column, read-only grid in a
// fixed-width font. The selected rows can be copied to the clipboard as tab-separated text for a
// spreadsheet, printed with a page header, or the file opened with the associated application.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "job/cell_editing.h"
#include "job/text_grid.h"
#include "ui/dialog_service.h"

class QPagedPaintDevice;
class QPushButton;

namespace dravenor {

class GridView;

inline constexpr const char* kReportWindowTitle = "Report";
inline constexpr const char* kReportCopiedMessage = "Selection is copied to clipboard. You can paste in Excel sheet.";
inline constexpr const char* kReportTooLongMessage =
    "Report too long to fit. Click OK to open it with the associated application.";
inline constexpr int kReportPrintPointSize = 11;

class ReportWindow : public QDialog, private GridEditHost {
    Q_OBJECT
public:
    ReportWindow(DialogService& dialogs, const QString& reportPath, QWidget* parent = nullptr);
    ~ReportWindow() override;

    const TextGrid& grid() const { return grid_; }
    GridView* gridView() const { return gridView_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* openButton() const { return openButton_; }
    // True when the report was too long for the window and went to the associated application;
    // the window then has nothing to show and exec() returns at once.
    bool openedExternally() const { return openedExternally_; }

    // The job file named in the printout's page header ("" for none).
    void setJobFileName(const std::string& jobFileName) { jobFileName_ = jobFileName; }

    // Copies the selected rows to the clipboard and says so; returns the text copied.
    std::string copySelection();
    // Opens the report file with the application associated with it.
    void openExternally();
    // The print dialog, then the whole report or the selected rows.
    void printWithDialog();
    // Prints every row, or rows fromRow..toRow, paginated with the page header on every page.
    void printTo(QPagedPaintDevice& device) const;
    void printRowsTo(QPagedPaintDevice& device, int fromRow, int toRow) const;
    // The pages printRowsTo draws when linesPerPage lines fit on a page.
    std::vector<std::vector<std::string>> printPages(int fromRow, int toRow, int linesPerPage) const;

    int exec() override;

private:
    bool beforeChange(int keyCode) override;
    std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) override;

    void load();
    void buildWidgets();
    void showProblem(const std::string& text);

    DialogService& dialogs_;
    QString reportPath_;
    std::string jobFileName_;
    TextGrid grid_;
    bool openedExternally_ = false;

    GridView* gridView_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
};

} // namespace dravenor
