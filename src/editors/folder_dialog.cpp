#include "editors/folder_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/folder_browser.h"
#include "job/files.h"

namespace dravenor {

const char* const FolderDialog::kDefaultCaption = "Select Directory for Breakup Files...";

QString folderDialogResult(const QString& chosen, bool selected)
{
    if (!selected) return {};
    return QString::fromStdString(withTrailingSeparator(chosen.toStdString()));
}

FolderDialog::FolderDialog(const QString& startFolder, const QString& examplesFolder, QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
    setWindowTitle(QString::fromLatin1(kDefaultCaption));

    folders_ = new FolderBrowser(examplesFolder, this);
    chosenLabel_ = new QLabel(this);
    chosenLabel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    chosenLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chosenLabel_->setWordWrap(true);
    selectButton_ = new QPushButton(QStringLiteral("&Select"), this);
    selectButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    newFolderButton_ = new QPushButton(QStringLiteral("&New Folder..."), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newFolderButton_);
    buttons->addStretch(1);
    buttons->addWidget(selectButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folders_, 1);
    layout->addWidget(new QLabel(QStringLiteral("Chosen folder:"), this));
    layout->addWidget(chosenLabel_);
    layout->addLayout(buttons);
    resize(460, 420);

    connect(folders_, &FolderBrowser::folderChanged, this, &FolderDialog::choose);
    connect(folders_, &FolderBrowser::entryClicked, this, &FolderDialog::choose);
    connect(selectButton_, &QPushButton::clicked, this, &FolderDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &FolderDialog::reject);
    connect(newFolderButton_, &QPushButton::clicked, this, &FolderDialog::askNewFolder);

    if (!folders_->setFolder(startFolder)) folders_->setFolder(QDir::homePath());
}

QString FolderDialog::currentFolder() const
{
    return folders_->folder();
}

void FolderDialog::choose(const QString& folder)
{
    chosen_ = folder;
    chosenLabel_->setText(QDir::toNativeSeparators(folder));
}

void FolderDialog::accept()
{
    result_ = folderDialogResult(chosen_, true);
    QDialog::accept();
}

void FolderDialog::reject()
{
    result_.clear();
    QDialog::reject();
}

bool FolderDialog::createSubfolder(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) || trimmed == QStringLiteral(".")
        || trimmed == QStringLiteral(".."))
        return false;
    const QString path = QDir(currentFolder()).filePath(trimmed);
    if (!QFileInfo(path).isDir() && !QDir(currentFolder()).mkdir(trimmed)) return false;
    return folders_->setFolder(path);
}

void FolderDialog::askNewFolder()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("New Folder"),
        QStringLiteral("Name of the new folder in %1:").arg(QDir::toNativeSeparators(currentFolder())),
        QLineEdit::Normal, QString(), &ok);
    if (!ok || name.trimmed().isEmpty()) return;
    if (!createSubfolder(name)) {
        QMessageBox::warning(this, windowTitle(),
            QStringLiteral("%1: the folder could not be created (no permission, or not a valid name).")
                .arg(QDir::toNativeSeparators(QDir(currentFolder()).filePath(name.trimmed()))));
    }
}

} // namespace dravenor
