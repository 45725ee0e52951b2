#include "editors/folder_browser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace dravenor {

namespace {

const QString kParentEntry = QStringLiteral("..");

bool isRemovableMediaRoot(const QString& root)
{
    return root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/mnt/"))
        || root.startsWith(QStringLiteral("/run/media/"));
}

void addPlace(std::vector<FolderPlace>& places, const QString& label, const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir()) return;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const FolderPlace& place : places)
        if (place.path == clean) return;
    places.push_back({label, clean});
}

bool isInside(const QString& folder, const QString& place)
{
    if (place == QStringLiteral("/")) return true;
    return folder == place || folder.startsWith(place + QLatin1Char('/'));
}

bool isReturnKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString expandHome(const QString& typed)
{
    if (typed == QStringLiteral("~")) return QDir::homePath();
    if (typed.startsWith(QStringLiteral("~/"))) return QDir::homePath() + typed.mid(1);
    return typed;
}

} // namespace

std::vector<FolderPlace> folderPlaces(const QString& examplesFolder)
{
    std::vector<FolderPlace> places;
    addPlace(places, QStringLiteral("Examples"), examplesFolder);
    addPlace(places, QStringLiteral("Home"), QDir::homePath());
    addPlace(places, QStringLiteral("Documents"),
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    addPlace(places, QStringLiteral("Computer (/)"), QDir::rootPath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && isRemovableMediaRoot(volume.rootPath()))
            addPlace(places, volume.displayName(), volume.rootPath());
    }
    return places;
}

QStringList subfolderNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

FolderBrowser::FolderBrowser(const QString& examplesFolder, QWidget* parent)
    : QWidget(parent)
    , placeList_(folderPlaces(examplesFolder))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    places_ = new QComboBox(this);
    places_->setToolTip(QStringLiteral("Go to a place"));
    for (const FolderPlace& place : placeList_)
        places_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), place.label, place.path);
    pathEdit_ = new QLineEdit(this);
    pathEdit_->setToolTip(QStringLiteral("Type a folder and press Enter"));
    list_ = new QListWidget(this);
    list_->setToolTip(QStringLiteral("Double-click a folder to open it"));

    auto* lookIn = new QLabel(QStringLiteral("&Look in:"), this);
    lookIn->setBuddy(places_);
    layout->addWidget(lookIn);
    layout->addWidget(places_);
    layout->addWidget(pathEdit_);
    layout->addWidget(list_, 1);

    list_->installEventFilter(this);
    pathEdit_->installEventFilter(this);
    connect(places_, &QComboBox::activated, this, &FolderBrowser::placeChosen);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openEntry(item); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit entryClicked(entryPath(item)); });
}

bool FolderBrowser::setFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !QDir(info.absoluteFilePath()).isReadable()) return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    fillList();
    pathEdit_->setText(QDir::toNativeSeparators(folder_));
    showMatchingPlace();
    emit folderChanged(folder_);
    return true;
}

QString FolderBrowser::entryPath(const QListWidgetItem* item) const
{
    if (!item) return folder_;
    if (item->text() == kParentEntry) {
        QDir parent(folder_);
        parent.cdUp();
        return parent.absolutePath();
    }
    return QDir(folder_).filePath(item->text());
}

bool FolderBrowser::openEntry(const QListWidgetItem* item)
{
    if (item && setFolder(entryPath(item))) return true;
    QApplication::beep();
    return false;
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // Enter belongs to the folder list and the path box here, not to the dialog's default button.
    if (isReturnKey(event)) {
        if (watched == list_) {
            openEntry(list_->currentItem());
            return true;
        }
        if (watched == pathEdit_) {
            pathTyped();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FolderBrowser::fillList()
{
    list_->clear();
    if (!QDir(folder_).isRoot())
        new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), kParentEntry, list_);
    for (const QString& name : subfolderNames(folder_))
        new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), name, list_);
}

void FolderBrowser::showMatchingPlace()
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < static_cast<int>(placeList_.size()); ++i) {
        const QString& path = placeList_[static_cast<size_t>(i)].path;
        if (isInside(folder_, path) && path.size() > bestLength) {
            best = i;
            bestLength = path.size();
        }
    }
    const QSignalBlocker block(places_);
    places_->setCurrentIndex(best);
}

void FolderBrowser::placeChosen(int index)
{
    if (index < 0 || index >= static_cast<int>(placeList_.size())) return;
    // A place that is gone (unplugged media) leaves the dialog where it was.
    if (!setFolder(placeList_[static_cast<size_t>(index)].path)) {
        QApplication::beep();
        showMatchingPlace();
    }
}

void FolderBrowser::pathTyped()
{
    if (!setFolder(expandHome(pathEdit_->text().trimmed()))) {
        QApplication::beep();
        pathEdit_->setText(QDir::toNativeSeparators(folder_));
    }
}

} // namespace dravenor
