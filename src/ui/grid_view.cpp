#include "ui/grid_view.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "job/column_attributes.h"
#include "job/key_rules.h"
#include "ui/grid_cell_delegate.h"
#include "ui/grid_corner_caption.h"
#include "ui/grid_table_model.h"

namespace dravenor {

namespace {

constexpr int kCellPadding = 8;
// The fixed column holds "Sr" and row numbers: five characters wide.
constexpr int kNumberColumnChars = 5;

bool isNavigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_PageUp: case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

GridKey classifyGridKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text)
{
    if (isNavigationKey(qtKey)) return {};
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    switch (qtKey) {
    case Qt::Key_Delete: return {GridKey::Delete, KeyDelete};
    case Qt::Key_Backspace: return {GridKey::Code, KeyBackspace};
    case Qt::Key_Return: case Qt::Key_Enter: return {GridKey::Code, KeyEnter};
    case Qt::Key_Escape: return {GridKey::Code, KeyEscape};
    default: break;
    }
    if (text.size() != 1) return {};
    const char16_t ch = text.at(0).unicode();
    if (ch < 32 || ch == 127) return {};
    return {GridKey::Code, static_cast<int>(ch)};
}

GridView::GridView(TextGrid& grid, GridEditHost& host, GridEditOptions options, QWidget* parent)
    : QTableView(parent), grid_(grid), host_(host), options_(options), model_(new GridTableModel(grid, this))
{
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setCornerButtonEnabled(false);
    new GridCornerCaption(*this, QString::fromStdString(grid_.title(0)));
    // Each column shortens long text at its own end (file names at the start).
    setItemDelegate(new GridCellDelegate(this));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(true);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    showFocusState(false);
    refresh();
}

GridView::~GridView() = default;

int GridView::rowHeight() const
{
    return fontMetrics().height() + 6;
}

int GridView::columnPixelWidth(int col) const
{
    // Never narrower than the heading itself (its unit included), so none is cut off.
    const QString heading = model_->headerData(col - 1, Qt::Horizontal).toString();
    const int titlePixels = horizontalHeader()->fontMetrics().horizontalAdvance(heading) + kCellPadding +
                            2 * horizontalHeader()->fontMetrics().averageCharWidth();
    return std::max({columnWidthChars(grid_.title(col)) * fontMetrics().averageCharWidth() + kCellPadding, titlePixels,
                     horizontalHeader()->sectionSizeHint(col - 1)});
}

void GridView::applyColumnLayout()
{
    verticalHeader()->setDefaultSectionSize(rowHeight());
    verticalHeader()->setFixedWidth(kNumberColumnChars * fontMetrics().averageCharWidth() + kCellPadding);

    // The widest column that is shown (a file name column or the note) takes the spare width.
    int stretchSection = -1;
    for (int c = 1; c < grid_.cols(); ++c) {
        const bool hidden = c < static_cast<int>(grid_.colWidths.size()) && grid_.colWidths[static_cast<size_t>(c)] == 0;
        setColumnHidden(c - 1, hidden);
        horizontalHeader()->setSectionResizeMode(c - 1, QHeaderView::Interactive);
        if (hidden) continue;
        setColumnWidth(c - 1, columnPixelWidth(c));
        if (stretchSection < 0 || columnWidthChars(grid_.title(c)) > columnWidthChars(grid_.title(stretchSection + 1)))
            stretchSection = c - 1;
    }
    if (stretchSection >= 0) horizontalHeader()->setSectionResizeMode(stretchSection, QHeaderView::Stretch);
}

void GridView::refresh()
{
    syncing_ = true;
    model_->reload();
    applyColumnLayout();
    syncing_ = false;
    showGridCurrentCell(true);
    updateGeometry();
}

void GridView::setCurrentCell(int row, int col)
{
    grid_.row = row;
    grid_.col = col;
    showGridCurrentCell(false);
}

void GridView::showGridCurrentCell(bool keepSelectedRows)
{
    if (grid_.rows() < 2 || grid_.cols() < 2) return;
    grid_.row = std::clamp(grid_.row, 1, grid_.rows() - 1);
    grid_.col = std::clamp(grid_.col, 1, grid_.cols() - 1);
    // A selection of rows around the current one outlives a refresh (a move of the group), so
    // the next command acts on the same rows.
    const int lastRow = grid_.rows() - 1;
    int fromRow = std::clamp(grid_.selStartRow, 1, lastRow);
    int toRow = std::clamp(grid_.selEndRow, 1, lastRow);
    if (!keepSelectedRows || fromRow > grid_.row || toRow < grid_.row) fromRow = toRow = grid_.row;
    const QModelIndex index = model_->index(grid_.row - 1, grid_.col - 1);
    syncing_ = true;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    if (toRow > fromRow) selectRowRange(fromRow, toRow);
    syncing_ = false;
    grid_.selStartRow = fromRow;
    grid_.selEndRow = toRow;
    scrollTo(index);
    announceCurrentCell();
}

void GridView::selectRowRange(int fromRow, int toRow)
{
    const QItemSelection rows(model_->index(fromRow - 1, 0), model_->index(toRow - 1, grid_.cols() - 2));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void GridView::selectRows(int fromRow, int toRow)
{
    setCurrentCell(fromRow, 1);
    if (toRow <= fromRow || grid_.cols() < 2) return;
    selectRowRange(grid_.row, std::min(toRow, grid_.rows() - 1));
}

void GridView::announceCurrentCell()
{
    if (grid_.row == announcedRow_ && grid_.col == announcedCol_) return;
    announcedRow_ = grid_.row;
    announcedCol_ = grid_.col;
    // Esc undoes typing only in the cell it was typed into, while the cell stays current.
    forgetTypedCell(grid_);
    emit currentCellChanged(grid_.row, grid_.col);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid()) return;
    grid_.row = GridTableModel::gridRow(current);
    grid_.col = GridTableModel::gridCol(current);
    announceCurrentCell();
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTableView::selectionChanged(selected, deselected);
    if (syncing_) return;
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty()) {
        grid_.selStartRow = grid_.selEndRow = grid_.row;
    } else {
        int first = indexes.front().row();
        int last = first;
        for (const QModelIndex& index : indexes) {
            first = std::min(first, index.row());
            last = std::max(last, index.row());
        }
        grid_.selStartRow = first + 1;
        grid_.selEndRow = last + 1;
    }
    emit selectionRowsChanged();
}

void GridView::setColumnUnits(std::map<std::string, std::string> units)
{
    model_->setColumnUnits(std::move(units));
    applyColumnLayout();
}

KeyOutcome GridView::typeKey(int keyCode)
{
    const KeyOutcome outcome = pressKey(grid_, keyCode, host_, options_);
    afterKey(outcome);
    lastRefusal_.clear();
    if (outcome == KeyOutcome::Consumed) tellRefusal(keyCode);
    return outcome;
}

KeyOutcome GridView::deleteKey()
{
    const KeyOutcome outcome = pressDelete(grid_, host_, options_);
    afterKey(outcome);
    return outcome;
}

void GridView::tellRefusal(int keyCode)
{
    if (grid_.col < 1 || grid_.col >= grid_.cols()) return;
    lastRefusal_ = QString::fromStdString(keyRefusal(grid_.title(grid_.col), keyCode));
    if (lastRefusal_.isEmpty()) return;
    const QRect cell = visualRect(currentIndex());
    QToolTip::showText(viewport()->mapToGlobal(cell.bottomLeft()), lastRefusal_, this);
}

void GridView::afterKey(KeyOutcome outcome)
{
    refresh();
    // After a file choice the grid takes the focus back from the dialog.
    if (outcome == KeyOutcome::FilesChosen) setFocus(Qt::OtherFocusReason);
    emit keyApplied(static_cast<int>(outcome));
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const GridKey key = classifyGridKey(event->key(), event->modifiers(), event->text());
    switch (key.kind) {
    case GridKey::Delete:
        deleteKey();
        event->accept();
        return;
    case GridKey::Code:
        typeKey(key.code);
        // Esc still reaches the window around the grid (a dialog closes on it).
        if (key.code == KeyEscape) event->ignore();
        else event->accept();
        return;
    case GridKey::Other:
        break;
    }
    if (isNavigationKey(event->key())) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->ignore();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setCurrentCell(GridTableModel::gridRow(index), GridTableModel::gridCol(index));
    typeKey(KeyEnter);
    event->accept();
}

void GridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyColumnLayout();
}

void GridView::showFocusState(bool focused)
{
    QPalette colours = palette();
    const QPalette standard = QApplication::palette(this);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (focused) {
            colours.setColor(group, QPalette::Highlight, standard.color(group, QPalette::Highlight));
            colours.setColor(group, QPalette::HighlightedText, standard.color(group, QPalette::HighlightedText));
        } else {
            QColor soft = standard.color(group, QPalette::Highlight);
            soft.setAlpha(60);
            colours.setColor(group, QPalette::Highlight, soft);
            colours.setColor(group, QPalette::HighlightedText, standard.color(group, QPalette::Text));
        }
    }
    setPalette(colours);
}

void GridView::focusInEvent(QFocusEvent* event)
{
    showFocusState(true);
    QTableView::focusInEvent(event);
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    // A modal dialog opened from this grid (a file choice) keeps the grid marked as the active one.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        showFocusState(false);
    QTableView::focusOutEvent(event);
}

void GridView::setVisibleRows(int rows)
{
    visibleRows_ = rows;
    updateGeometry();
}

QSize GridView::sizeHint() const
{
    int width = verticalHeader()->width() + 2 * frameWidth();
    for (int c = 1; c < grid_.cols(); ++c)
        if (!isColumnHidden(c - 1)) width += columnPixelWidth(c);
    const QSize base = QTableView::sizeHint();
    if (visibleRows_ <= 0) return {width, base.height()};
    const int header = horizontalHeader()->sizeHint().height();
    const int scrollBar = horizontalScrollBar()->isVisible() ? horizontalScrollBar()->sizeHint().height() : 0;
    return {width, header + visibleRows_ * rowHeight() + scrollBar + 2 * frameWidth()};
}

QSize GridView::minimumSizeHint() const
{
    const QSize base = QTableView::minimumSizeHint();
    return {base.width(), visibleRows_ > 0 ? sizeHint().height() : base.height()};
}

} // namespace dravenor
