#include "app/stock_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "app/help_key.h"
#include "geometry/shape_file.h"
#include "geometry/shape_preview.h"
#include "job/cell_editing.h"
#include "job/number_format.h"
#include "library/standard_shapes.h"
#include "stock/remnant.h"
#include "stock/stock_changes.h"
#include "stock/stock_selection.h"
#include "ui/canvas_view.h"

namespace dravenor {

namespace {

const char* const kColumns[] = {"Id", "Qty", "Mat", "Grade", "Thick", "Size", "Area", "Price", "From"};

QString text(const std::string& s) { return QString::fromStdString(s); }

std::string typedText(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

} // namespace

StockWindow::StockWindow(DialogService& dialogs, std::string stockFolder, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), folder_(std::move(stockFolder))
{
    setWindowTitle(QString::fromUtf8(kStockWindowTitle) + " - " + text(folder_));
    buildWidgets();
    addHelpKey(*this, dialogs_, "index.html#stock");
    reload();
}

void StockWindow::buildWidgets()
{
    auto* filters = new QHBoxLayout;
    materialFilter_ = new QComboBox(this);
    thicknessFilter_ = new QComboBox(this);
    filters->addWidget(new QLabel(tr("Material:"), this));
    filters->addWidget(materialFilter_);
    filters->addWidget(new QLabel(tr("Thickness:"), this));
    filters->addWidget(thicknessFilter_);
    filters->addStretch();
    connect(materialFilter_, &QComboBox::currentIndexChanged, this, [this] { fillList(); });
    connect(thicknessFilter_, &QComboBox::currentIndexChanged, this, [this] { fillList(); });

    table_ = new QTableWidget(0, static_cast<int>(std::size(kColumns)), this);
    QStringList titles;
    for (const char* title : kColumns) titles << tr(title);
    table_->setHorizontalHeaderLabels(titles);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { showPreview(); });

    preview_ = new CanvasView(QSize(240, 240), this);
    preview_->setSquareImage(true);
    // Drawn again at the size the window gives it: a plate selected before the window showed.
    connect(preview_, &CanvasView::resized, this, [this] { showPreview(); });

    auto* fields = new QFormLayout;
    material_ = new QLineEdit(this);
    grade_ = new QLineEdit(this);
    thickness_ = new QLineEdit(this);
    quantity_ = new QLineEdit(QStringLiteral("1"), this);
    length_ = new QLineEdit(this);
    width_ = new QLineEdit(this);
    price_ = new QLineEdit(this);
    price_->setPlaceholderText(tr("by weight"));
    price_->setToolTip(tr("What one plate costs, for quotes; empty: priced by its weight"));
    fields->addRow(tr("Mat"), material_);
    fields->addRow(tr("Grade"), grade_);
    fields->addRow(tr("Thick"), thickness_);
    fields->addRow(tr("Qty"), quantity_);
    fields->addRow(tr("Length"), length_);
    fields->addRow(tr("Width"), width_);
    fields->addRow(tr("Price"), price_);

    auto* addFile = new QPushButton(tr("Add &Shape File..."), this);
    auto* addRect = new QPushButton(tr("Add &Rectangle"), this);
    auto* quantity = new QPushButton(tr("Set &Quantity"), this);
    auto* remove = new QPushButton(tr("Re&move"), this);
    auto* close = new QPushButton(tr("Close"), this);
    connect(addFile, &QPushButton::clicked, this, [this] {
        const std::string file =
            dialogs_.openFileName("Add Plate", "Shape files and drawings (*.shp *.dxf *.SHP *.DXF)");
        if (!file.empty()) addFromFile(file);
    });
    connect(addRect, &QPushButton::clicked, this, [this] { addRectangle(); });
    connect(quantity, &QPushButton::clicked, this, [this] { setQuantity(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(preview_);
    side->addLayout(fields);
    for (QPushButton* b : {addFile, addRect, quantity, remove}) side->addWidget(b);
    side->addStretch();
    side->addWidget(close);

    auto* body = new QHBoxLayout;
    body->addWidget(table_, 1);
    body->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(filters);
    all->addLayout(body);
    resize(900, 560);
}

void StockWindow::reload()
{
    const StockResult read = readStock(folder_);
    if (!read.ok()) dialogs_.message(read.error, kStockWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
    tables_ = read.tables;
    const QString material = materialFilter_->currentText(), thickness = thicknessFilter_->currentText();
    for (QComboBox* box : {materialFilter_, thicknessFilter_}) {
        box->blockSignals(true);
        box->clear();
        box->addItem(tr("All"));
    }
    for (const std::string& m : stockMaterials(tables_)) materialFilter_->addItem(text(m));
    for (double t : stockThicknesses(tables_)) thicknessFilter_->addItem(text(formatGeneral(t)));
    materialFilter_->setCurrentIndex(std::max(0, materialFilter_->findText(material)));
    thicknessFilter_->setCurrentIndex(std::max(0, thicknessFilter_->findText(thickness)));
    for (QComboBox* box : {materialFilter_, thicknessFilter_}) box->blockSignals(false);
    fillList();
}

void StockWindow::fillList()
{
    const std::string material = materialFilter_->currentIndex() > 0 ? materialFilter_->currentText().toStdString() : "";
    const double thickness =
        thicknessFilter_->currentIndex() > 0 ? leadingNumber(thicknessFilter_->currentText().toStdString()) : -1;
    shown_ = filteredPlates(tables_, material, thickness);
    table_->setRowCount(static_cast<int>(shown_.size()));
    for (size_t r = 0; r < shown_.size(); ++r) {
        const StockPlate& p = shown_[r];
        const std::string cells[] = {std::to_string(p.id), std::to_string(p.quantity), p.material, p.grade,
                                     formatGeneral(p.thickness),
                                     remnantSizeText(p.width, p.length),
                                     formatGeneral(std::round(p.area)),
                                     p.price > 0 ? formatGeneral(p.price) : "",
                                     p.isRemnant() ? p.sourceJob + " / " + std::to_string(p.layout) : "added " + p.date};
        for (size_t c = 0; c < std::size(cells); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(text(cells[c])));
    }
    table_->resizeColumnsToContents();
    if (!shown_.empty()) selectRow(0);
    else preview_->clear();
}

void StockWindow::selectRow(int row)
{
    table_->selectRow(row);
    showPreview();
}

const StockPlate* StockWindow::selectedPlate() const
{
    const int row = table_->currentRow();
    return row >= 0 && static_cast<size_t>(row) < shown_.size() ? &shown_[static_cast<size_t>(row)] : nullptr;
}

void StockWindow::showPreview()
{
    const StockPlate* plate = selectedPlate();
    if (!plate) {
        preview_->clear();
        return;
    }
    PreviewOptions options;
    options.gridLabels = false;
    previewShapeFile(stockPath(folder_, plate->shapeFile), preview_->surface(), options);
    preview_->refresh();
}

bool StockWindow::tellIfFailed(const std::string& error)
{
    if (error.empty()) return false;
    dialogs_.message(error, kStockWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
    return true;
}

bool StockWindow::typedPlate(PlateMaterial& material, std::int64_t& quantity, double& price)
{
    const TypedText mat = typeIntoEmptyCell("Mat", typedText(material_));
    const TypedText grade = typeIntoEmptyCell("Grade", typedText(grade_));
    const std::optional<double> thick = numberFromTyped(typedText(thickness_));
    const std::optional<double> qty = numberFromTyped(typedText(quantity_));
    if (tellIfFailed(mat.refusal.empty() ? "" : "Mat: " + mat.refusal)) return false;
    if (tellIfFailed(grade.refusal.empty() ? "" : "Grade: " + grade.refusal)) return false;
    if (tellIfFailed(mat.text.empty() ? "Type the plate's material (Mat)." : "")) return false;
    if (tellIfFailed(!thick || *thick <= 0 ? "Type the plate's thickness, a number above 0." : "")) return false;
    if (tellIfFailed(!qty || *qty < 1 || *qty != std::floor(*qty) || *qty > 1e9 ? "Type a quantity, a whole number from 1 up." : ""))
        return false;
    const std::string priceText = typedText(price_);
    const std::optional<double> typedPrice = priceText.empty() ? std::optional<double>(0) : numberFromTyped(priceText);
    if (tellIfFailed(!typedPrice || *typedPrice < 0 || *typedPrice > 1e9
                         ? "Type the price of one plate, a number from 0 up, or leave it empty to price it by weight."
                         : ""))
        return false;
    material = {mat.text, grade.text, *thick};
    quantity = static_cast<std::int64_t>(*qty);
    price = *typedPrice;
    return true;
}

bool StockWindow::addFromFile(const std::string& file)
{
    PlateMaterial material;
    std::int64_t quantity = 0;
    double price = 0;
    if (!typedPlate(material, quantity, price)) return false;
    Shape shape;
    const ShapeReadReport read = readShapeByExtension(file, shape);
    if (tellIfFailed(!read.readable ? read.error : shape.empty() ? file + " holds no shape" : "")) return false;
    const StockResult added = addPlate(folder_, shape, material, quantity, todayText(), price);
    if (tellIfFailed(added.error)) return false;
    reload();
    return true;
}

void StockWindow::fillMaterial(const PlateMaterial& material)
{
    material_->setText(QString::fromStdString(material.material));
    grade_->setText(QString::fromStdString(material.grade));
    thickness_->setText(material.thickness > 0 ? QString::fromStdString(formatGeneral(material.thickness)) : QString());
}

bool StockWindow::addRectangle()
{
    PlateMaterial material;
    std::int64_t quantity = 0;
    double price = 0;
    if (!typedPlate(material, quantity, price)) return false;
    const std::optional<double> length = numberFromTyped(typedText(length_));
    const std::optional<double> width = numberFromTyped(typedText(width_));
    if (tellIfFailed(!length || !width || *length <= 0 || *width <= 0 ? "Type the rectangle's length and width, numbers above 0." : ""))
        return false;
    const StockResult added = addPlate(folder_, lyingPlate(*length, *width), material, quantity, todayText(), price);
    if (tellIfFailed(added.error)) return false;
    reload();
    return true;
}

bool StockWindow::setQuantity()
{
    const StockPlate* plate = selectedPlate();
    if (tellIfFailed(plate ? "" : "Select a plate first.")) return false;
    const std::optional<double> qty = numberFromTyped(typedText(quantity_));
    if (tellIfFailed(!qty || *qty < 0 || *qty != std::floor(*qty) || *qty > 1e9 ? "Type a quantity, a whole number from 0 up." : ""))
        return false;
    if (tellIfFailed(setPlateQuantity(folder_, plate->id, static_cast<std::int64_t>(*qty), todayText()).error)) return false;
    reload();
    return true;
}

bool StockWindow::removeSelected()
{
    const StockPlate* plate = selectedPlate();
    if (tellIfFailed(plate ? "" : "Select a plate first.")) return false;
    const auto answer = dialogs_.message("Remove plate " + std::to_string(plate->id) + " from the stock?",
                                         kStockWindowTitle, DialogService::Icon::Question,
                                         DialogService::Buttons::YesNo, DialogService::Answer::No);
    if (answer != DialogService::Answer::Yes) return false;
    if (tellIfFailed(removePlate(folder_, plate->id, todayText()).error)) return false;
    reload();
    return true;
}

} // namespace dravenor
