#include "editors/shape_selection_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "editors/folder_browser.h"
#include "geometry/shape_preview.h"
#include "job/files.h"
#include "ui/canvas_view.h"

namespace dravenor {

namespace {

constexpr int kPreviewPixels = 240;

} // namespace

const char* const ShapeSelectionDialog::kMultiSelectTip =
    "Hold down CTRL / SHIFT key to select multiple files.";

QString shapeFilePattern(ShapeFileType type)
{
    return type == ShapeFileType::Dxf ? QStringLiteral("*.dxf") : QStringLiteral("*.shp");
}

QStringList shapeFileNames(const QString& folder, ShapeFileType type)
{
    // Name filters match without regard to case unless QDir::CaseSensitive is given.
    return QDir(folder).entryList({shapeFilePattern(type)}, QDir::Files | QDir::Readable,
                                  QDir::Name | QDir::IgnoreCase);
}

std::string joinFolderAndName(const QString& folder, const QString& name)
{
    return withTrailingSeparator(folder.toStdString()) + name.toStdString();
}

ShapeSelectionDialog::ShapeSelectionDialog(const QString& startFolder, ShapeFileType type,
                                           const QString& examplesFolder,
                                           std::function<void()> openHelp, QWidget* parent)
    : QDialog(parent)
    , openHelp_(std::move(openHelp))
{
    setModal(true);
    setWindowTitle(QStringLiteral("Select File(s)..."));

    folders_ = new FolderBrowser(examplesFolder, this);

    // Entry 0 is DXF, entry 1 shape files: the index is the ShapeFileType. Which one is chosen at
    // opening is up to the caller.
    typeCombo_ = new QComboBox(this);
    typeCombo_->addItem(QStringLiteral("DXF drawings (*.dxf)"));
    typeCombo_->addItem(QStringLiteral("Shape files (*.shp)"));
    typeCombo_->setCurrentIndex(static_cast<int>(type));

    fileList_ = new QListWidget(this);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileList_->setToolTip(QString::fromLatin1(kMultiSelectTip));

    preview_ = new CanvasView(QSize(kPreviewPixels, kPreviewPixels), this);
    preview_->setFixedSize(preview_->sizeHint());
    previewLabel_ = new QLabel(this);
    previewLabel_->setAlignment(Qt::AlignCenter);
    previewLabel_->setMinimumHeight(previewLabel_->fontMetrics().height() + 4);

    loadButton_ = new QPushButton(QStringLiteral("&Load"), this);
    loadButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);

    auto* typeLabel = new QLabel(QStringLiteral("Files of &type:"), this);
    typeLabel->setBuddy(typeCombo_);
    auto* filesColumn = new QVBoxLayout;
    filesColumn->addWidget(typeLabel);
    filesColumn->addWidget(typeCombo_);
    filesColumn->addWidget(fileList_, 1);

    auto* previewBox = new QGroupBox(QStringLiteral("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_, 0, Qt::AlignHCenter);
    previewLayout->addWidget(previewLabel_);
    previewLayout->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(folders_, 2);
    columns->addLayout(filesColumn, 3);
    columns->addWidget(previewBox, 0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(loadButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(860, 440);

    connect(folders_, &FolderBrowser::folderChanged, this, &ShapeSelectionDialog::refreshFiles);
    connect(typeCombo_, &QComboBox::currentIndexChanged, this, &ShapeSelectionDialog::refreshFiles);
    connect(fileList_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { previewFile(item ? item->text() : QString()); });
    connect(fileList_, &QListWidget::itemSelectionChanged, this, &ShapeSelectionDialog::updateLoadButton);
    connect(fileList_, &QListWidget::itemDoubleClicked, this, &ShapeSelectionDialog::loadOnly);
    connect(preview_, &CanvasView::resized, this, &ShapeSelectionDialog::redrawPreview);
    connect(loadButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &ShapeSelectionDialog::reject);

    if (!setFolder(startFolder)) setFolder(QDir::homePath());
    updateLoadButton();
}

std::vector<std::string> ShapeSelectionDialog::selectedPaths() const
{
    std::vector<std::string> paths;
    for (int row = 0; row < fileList_->count(); ++row) {
        const QListWidgetItem* item = fileList_->item(row);
        if (item->isSelected()) paths.push_back(joinFolderAndName(folder(), item->text()));
    }
    return paths;
}

QString ShapeSelectionDialog::folder() const
{
    return folders_->folder();
}

ShapeFileType ShapeSelectionDialog::fileType() const
{
    return static_cast<ShapeFileType>(typeCombo_->currentIndex());
}

bool ShapeSelectionDialog::setFolder(const QString& folder)
{
    return folders_->setFolder(folder);
}

void ShapeSelectionDialog::setFileType(ShapeFileType type)
{
    typeCombo_->setCurrentIndex(static_cast<int>(type));
}

void ShapeSelectionDialog::previewFile(const QString& name)
{
    previewName_ = name;
    redrawPreview();
}

void ShapeSelectionDialog::reject()
{
    // Whatever closes the dialog without Load leaves nothing selected.
    fileList_->clearSelection();
    QDialog::reject();
}

void ShapeSelectionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (openHelp_) openHelp_();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShapeSelectionDialog::refreshFiles()
{
    fileList_->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString& name : shapeFileNames(folder(), fileType()))
        new QListWidgetItem(icon, name, fileList_);
    previewFile(QString());
    updateLoadButton();
}

void ShapeSelectionDialog::loadOnly(QListWidgetItem* item)
{
    if (!item) return;
    fileList_->clearSelection();
    item->setSelected(true);
    accept();
}

void ShapeSelectionDialog::redrawPreview()
{
    ImageSurface& surface = preview_->surface();
    PreviewOptions options;
    options.gridText = "No";
    if (previewName_.isEmpty()) {
        surface.clear();
        surface.setToolTip("");
    } else {
        previewShapeFile(joinFolderAndName(folder(), previewName_), surface, options, unit_);
    }
    preview_->refresh();
    previewLabel_->setText(QString::fromStdString(surface.toolTip()));
}

void ShapeSelectionDialog::updateLoadButton()
{
    loadButton_->setEnabled(!fileList_->selectedItems().isEmpty());
}

} // namespace dravenor
