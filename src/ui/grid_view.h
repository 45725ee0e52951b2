#pragma once
// The widget that shows a TextGrid: titles in the header row, row numbers in the fixed column,
// column widths from the column attributes (a width of 0 in the grid hides the column), file
// columns right-aligned. Keys are not edited by Qt: typed characters, Backspace, Enter and Esc
// go to pressKey, Delete to pressDelete, a double click is Enter; arrows and Tab move the current
// cell. The grid's current cell and the view's are kept the same both ways.
#include <QTableView>

#include "job/cell_editing.h"
#include "job/text_grid.h"

namespace dravenor {

class GridTableModel;

// What a key press means to a grid: a key code for the editing rules, the Delete key, or a key
// the view handles itself (navigation, shortcuts).
struct GridKey {
    enum Kind { Code, Delete, Other } kind = Other;
    int code = 0;
};
GridKey classifyGridKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(TextGrid& grid, GridEditHost& host, GridEditOptions options = {}, QWidget* parent = nullptr);
    ~GridView() override;

    TextGrid& grid() { return grid_; }
    // Units after the titles of their columns in the header.
    void setColumnUnits(std::map<std::string, std::string> units);
    const TextGrid& grid() const { return grid_; }

    // Re-reads the grid after it was changed elsewhere (cells, size, widths, current cell and
    // selected rows).
    void refresh();
    // Makes (row, col) the current cell of the grid and of the view.
    void setCurrentCell(int row, int col);
    // Selects whole rows fromRow..toRow (all data columns); the current cell moves to the first.
    void selectRows(int fromRow, int toRow);

    // Applies one key to the current cell exactly as typed (used by the key handler).
    KeyOutcome typeKey(int keyCode);
    KeyOutcome deleteKey();

    // Height wanted for this many data rows without scrolling (0: Qt's default hint).
    void setVisibleRows(int rows);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Pixel width of grid column col (its width in characters in this font, at least its heading).
    int columnPixelWidth(int col) const;
    // What the last refused key was told (a comma in a whole-number or text cell), shown as a
    // tip at the cell; cleared by the next key.
    const QString& lastRefusal() const { return lastRefusal_; }

signals:
    // The grid's current cell moved (1-based grid row and column).
    void currentCellChanged(int row, int col);
    // A key was applied to the grid (a KeyOutcome); the view already shows the result.
    void keyApplied(int outcome);
    // The selected rows changed (the grid's selStartRow .. selEndRow).
    void selectionRowsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void afterKey(KeyOutcome outcome);
    void tellRefusal(int keyCode);
    void applyColumnLayout();
    // Shows the grid's current cell; with keepSelectedRows the grid's selected rows stay selected
    // when they hold the current row, else the current cell alone is selected.
    void showGridCurrentCell(bool keepSelectedRows);
    void selectRowRange(int fromRow, int toRow);
    void announceCurrentCell();
    // The current cell is marked strongly only in the grid that has the focus.
    void showFocusState(bool focused);
    int rowHeight() const;

    QString lastRefusal_;

    TextGrid& grid_;
    GridEditHost& host_;
    GridEditOptions options_;
    GridTableModel* model_;
    int visibleRows_ = 0;
    bool syncing_ = false;
    int announcedRow_ = -1;
    int announcedCol_ = -1;
};

} // namespace dravenor
