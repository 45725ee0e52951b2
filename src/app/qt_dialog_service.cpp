#include "app/qt_dialog_service.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include "app/app_info.h"
#include "app/help_request.h"
#include "app/working_folder.h"
#include "editors/folder_dialog.h"
#include "job/drawing_unit.h"
#include "job/files.h"

namespace dravenor {

namespace {

QMessageBox::Icon qtIcon(DialogService::Icon icon)
{
    switch (icon) {
    case DialogService::Icon::Information: return QMessageBox::Information;
    case DialogService::Icon::Exclamation: return QMessageBox::Warning;
    case DialogService::Icon::Question: return QMessageBox::Question;
    case DialogService::Icon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape; // what Esc or closing the box answers
};

ButtonSet qtButtons(DialogService::Buttons buttons)
{
    switch (buttons) {
    case DialogService::Buttons::Ok: return {QMessageBox::Ok, QMessageBox::Ok};
    case DialogService::Buttons::OkCancel: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case DialogService::Buttons::YesNo: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case DialogService::Buttons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

QMessageBox::StandardButton buttonOf(DialogService::Answer answer)
{
    switch (answer) {
    case DialogService::Answer::Yes: return QMessageBox::Yes;
    case DialogService::Answer::No: return QMessageBox::No;
    case DialogService::Answer::Cancel: return QMessageBox::Cancel;
    case DialogService::Answer::Ok: return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

DialogService::Answer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return DialogService::Answer::Yes;
    case QMessageBox::No: return DialogService::Answer::No;
    case QMessageBox::Cancel: return DialogService::Answer::Cancel;
    default: return DialogService::Answer::Ok;
    }
}

QString existingFolderOrHome(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

} // namespace

QString defaultSuffixOfFilter(const QString& filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([A-Za-z0-9_]+)"));
    const QRegularExpressionMatch match = firstPattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString examplesFolderFor(const QString& workingFolder)
{
    const QString inWorkingFolder = QDir(workingFolder).filePath(QStringLiteral("resources/examples"));
    if (!workingFolder.isEmpty() && QFileInfo(inWorkingFolder).isDir()) return QDir::cleanPath(inWorkingFolder);
    const QString shipped = QDir(shippedFolder(QCoreApplication::applicationDirPath())).filePath(QStringLiteral("examples"));
    return QFileInfo(shipped).isDir() ? QDir::cleanPath(shipped) : QString();
}

constexpr const char* kShapeKind = "shapes";

QtDialogService::QtDialogService(QString workingFolder)
    : workingFolder_(std::move(workingFolder)),
      folders_([](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isDir(); })
{
}

QString QtDialogService::startFolder(const std::string& kind, const QString& fallback) const
{
    return QString::fromStdString(folders_.startFolder(kind, existingFolderOrHome(fallback).toStdString()));
}

void QtDialogService::leftIn(const std::string& kind, const QString& folder)
{
    folders_.used(kind, folder.toStdString());
}

QWidget* QtDialogService::dialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (parent_) return parent_;
    return QApplication::activeWindow();
}

DialogService::Answer QtDialogService::ask(const Message& message)
{
    const ButtonSet set = qtButtons(message.buttons);
    const QString caption = message.title.empty() ? appTitle() : QString::fromStdString(message.title);
    QMessageBox box(qtIcon(message.icon), caption, QString::fromStdString(message.text), set.buttons, dialogParent());
    box.setEscapeButton(set.escape);
    if (!message.details.empty()) box.setDetailedText(QString::fromStdString(message.details));
    if (set.buttons.testFlag(buttonOf(message.defaultAnswer))) box.setDefaultButton(buttonOf(message.defaultAnswer));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return answerOf(clicked == QMessageBox::NoButton ? set.escape : clicked);
}

std::string QtDialogService::openFileName(const std::string& title, const std::string& filter)
{
    // A first opening, with no job and nothing opened yet, shows the shipped examples.
    QFileDialog dialog(dialogParent(), QString::fromStdString(title), startFolder(filter, examplesFolderFor(workingFolder_)),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    leftIn(filter, dialog.directory().absolutePath());
    return dialog.selectedFiles().first().toStdString();
}

std::string QtDialogService::saveFileName(const std::string& title, const std::string& filter,
                                          const std::string& suggestedName)
{
    QFileDialog dialog(dialogParent(), QString::fromStdString(title), startFolder(filter, {}),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // A name typed without extension gets the one of the chosen file type.
    dialog.setDefaultSuffix(defaultSuffixOfFilter(QString::fromStdString(filter)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        dialog.setDefaultSuffix(defaultSuffixOfFilter(chosen));
    });
    if (!suggestedName.empty()) dialog.selectFile(QString::fromStdString(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    leftIn(filter, dialog.directory().absolutePath());
    // The dialog adds its suffix only to names without a dot; "plates.v2" needs it too. The
    // dialog asked about overwriting the name as typed, so a longer name that exists is asked here.
    const std::string typed = dialog.selectedFiles().first().toStdString();
    const std::string path = withFileExtension(typed, defaultSuffixOfFilter(dialog.selectedNameFilter()).toStdString());
    if (path != typed && fileExists(path) &&
        message(path + " already exists.\nDo you want to replace it?", title, Icon::Exclamation, Buttons::YesNo,
                Answer::No) != Answer::Yes)
        return {};
    return path;
}

QString QtDialogService::shapeStartFolder() const
{
    return startFolder(kShapeKind, examplesFolderFor(workingFolder_));
}

std::vector<std::string> QtDialogService::selectShapeFiles(const std::string& caption)
{
    ShapeSelectionDialog dialog(shapeStartFolder(), lastShapeType_, examplesFolderFor(workingFolder_),
                                [this] { openHelp("index.html#selecting-files"); }, dialogParent());
    if (!caption.empty()) dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setDrawingUnit(readDrawingUnit(workingFolder_.toStdString()).unit);
    const bool loaded = dialog.exec() == QDialog::Accepted;
    leftIn(kShapeKind, dialog.folder());
    lastShapeType_ = dialog.fileType();
    return loaded ? dialog.selectedPaths() : std::vector<std::string>{};
}

std::string QtDialogService::selectFolder(const std::string& caption)
{
    FolderDialog dialog(startFolder(caption, {}), examplesFolderFor(workingFolder_), dialogParent());
    if (!caption.empty()) dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.exec();
    leftIn(caption, dialog.currentFolder());
    return dialog.result().toStdString();
}

void QtDialogService::openHelp(const std::string& page)
{
    requestHelp(dialogParent(), workingFolder_, QString::fromStdString(page));
}

} // namespace dravenor
