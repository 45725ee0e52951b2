#pragma once
// The Stock window (Tools > Stock): the plates of the stock folder with a preview of the one
// selected, filtered by material and thickness; plates are added from a shape file or drawing or
// as a rectangle of a given size, their quantity set, or removed. Every change is one change of
// the stock (written whole, under its lock); the list is read again after each.
#include <QDialog>
#include <string>
#include <vector>

#include "stock/stock_changes.h"
#include "stock/stock_index.h"
#include "ui/dialog_service.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace dravenor {

class CanvasView;

inline constexpr const char* kStockWindowTitle = "Stock";

class StockWindow : public QDialog {
    Q_OBJECT
public:
    StockWindow(DialogService& dialogs, std::string stockFolder, QWidget* parent = nullptr);

    // The material, grade and thickness plates are added with (the job's, as the window opens).
    void fillMaterial(const PlateMaterial& material);
    // Reads the stock again and fills the filters and the list.
    void reload();
    // The plates listed, in list order.
    const std::vector<StockPlate>& shownPlates() const { return shown_; }

    // Adds a plate of the file (a shape file or drawing) with the material, grade, thickness and
    // quantity typed in; a rectangle of the length and width typed in. False (with a message)
    // when it cannot.
    bool addFromFile(const std::string& file);
    bool addRectangle();
    // The selected plate's quantity set to the one typed in; the selected plate removed after
    // the question.
    bool setQuantity();
    bool removeSelected();
    // Selects the plate in list row `row` (0-based) and shows its preview.
    void selectRow(int row);

    QComboBox* materialFilter() const { return materialFilter_; }
    QComboBox* thicknessFilter() const { return thicknessFilter_; }
    QTableWidget* table() const { return table_; }
    CanvasView* preview() const { return preview_; }
    QLineEdit* materialEdit() const { return material_; }
    QLineEdit* gradeEdit() const { return grade_; }
    QLineEdit* thicknessEdit() const { return thickness_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* lengthEdit() const { return length_; }
    QLineEdit* widthEdit() const { return width_; }
    QLineEdit* priceEdit() const { return price_; }

private:
    void buildWidgets();
    void fillList();
    void showPreview();
    // The typed material, grade, thickness, quantity and price (empty: 0, by weight); false (with a
    // message) when unusable.
    bool typedPlate(PlateMaterial& material, std::int64_t& quantity, double& price);
    bool tellIfFailed(const std::string& error);
    const StockPlate* selectedPlate() const;

    DialogService& dialogs_;
    std::string folder_;
    StockTables tables_;
    std::vector<StockPlate> shown_;

    QComboBox* materialFilter_ = nullptr;
    QComboBox* thicknessFilter_ = nullptr;
    QTableWidget* table_ = nullptr;
    CanvasView* preview_ = nullptr;
    QLineEdit* material_ = nullptr;
    QLineEdit* grade_ = nullptr;
    QLineEdit* thickness_ = nullptr;
    QLineEdit* quantity_ = nullptr;
    QLineEdit* length_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* price_ = nullptr;
};

} // namespace dravenor
