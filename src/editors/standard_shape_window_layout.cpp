// Widgets and the help menu of the standard-shape window.
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "editors/standard_shape_window.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

constexpr int kPreviewPixels = 360;
// The parameter grid is at least this wide; a type with more columns than fit scrolls them.
constexpr int kLeastGridWidth = 420;
// Lines the message under the preview has room for, so that a longer one does not shrink it.
constexpr int kPreviewLabelLines = 3;

} // namespace

void StandardShapeWindow::buildWidgets()
{
    typeList_ = new QComboBox;
    for (const StandardShapeType& type : standardShapeTypes()) typeList_->addItem(QString::fromStdString(type.caption));
    typeList_->setCurrentIndex(-1);
    typeList_->setPlaceholderText(tr("(choose a shape)"));
    typeList_->setMaxVisibleItems(static_cast<int>(standardShapeTypes().size()));

    rotationList_ = new QComboBox;
    rotationList_->addItems({"0", "135", "180", "225", "270", "315", "45", "90"});
    rotationList_->setEditable(true);
    rotationList_->setInsertPolicy(QComboBox::NoInsert);
    rotationList_->setCurrentText(QStringLiteral("0"));

    parameterView_ = new GridView(parameters_, *this);
    parameterView_->setVisibleRows(1);
    keepGridInPlace();

    preview_ = new CanvasView(QSize(kPreviewPixels, kPreviewPixels));
    preview_->setMinimumSize(kPreviewPixels * 3 / 4, kPreviewPixels * 3 / 4);
    preview_->setSquareImage(true);
    previewLabel_ = new QLabel;
    previewLabel_->setWordWrap(true);
    previewLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    previewLabel_->setFixedHeight(kPreviewLabelLines * previewLabel_->fontMetrics().lineSpacing());

    loadButton_ = new QPushButton(tr("&Load"));
    loadButton_->setEnabled(false);
    cancelButton_ = new QPushButton(tr("&Cancel"));
    // Enter belongs to the grid's cells; Load is pressed on purpose.
    loadButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);

    auto* choices = new QHBoxLayout;
    choices->addWidget(captioned(tr("Select &Shape"), typeList_), 2);
    choices->addWidget(captioned(tr("&Rotate Shape"), rotationList_), 1);

    auto* parametersCaption = new QLabel(tr("Shape &Parameters"));
    parametersCaption->setBuddy(parameterView_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(loadButton_);
    buttons->addWidget(cancelButton_);

    auto* left = new QVBoxLayout;
    left->addLayout(choices);
    left->addWidget(parametersCaption);
    left->addWidget(parameterView_);
    left->addStretch(1);
    left->addLayout(buttons);

    auto* previewBox = new QGroupBox(tr("Preview"));
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_, 1);
    previewLayout->addWidget(previewLabel_);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addWidget(previewBox, 1);
    resize(900, 460);

    connect(typeList_, &QComboBox::activated, this, [this](int index) { chooseType(typeList_->itemText(index)); });
    connect(rotationList_, &QComboBox::currentTextChanged, this, [this] { regenerate(); });
    connect(parameterView_, &GridView::keyApplied, this, [this] { regenerate(); });
    connect(preview_, &CanvasView::resized, this, [this] { regenerate(); });
    connect(loadButton_, &QPushButton::clicked, this, [this] { load(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

// The window keeps its size and its buttons their place whatever the type: a grid wider than
// its room scrolls sideways, and its scroll bar always has its place below the row. Called
// again once a type has given the grid its column titles, which set the header's height.
void StandardShapeWindow::keepGridInPlace()
{
    parameterView_->setMinimumWidth(kLeastGridWidth);
    parameterView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    parameterView_->setFixedHeight(parameterView_->horizontalHeader()->sizeHint().height() +
                                   parameterView_->verticalHeader()->defaultSectionSize() +
                                   parameterView_->horizontalScrollBar()->sizeHint().height() +
                                   2 * parameterView_->frameWidth());
}

void StandardShapeWindow::buildHelpMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* help = bar->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                          [this] { dialogs_.openHelp(kStandardShapesHelpPage); });
    // F1 itself is handled by keyPressEvent, so that it works wherever the focus is.
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));
    helpAction->setShortcutContext(Qt::WidgetShortcut);
    layout()->setMenuBar(bar);
}

} // namespace dravenor
