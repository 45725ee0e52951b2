#pragma once
// The folder part of the selection dialogs: a list of places (examples, home, root, mounted
// media), an editable path box and the list of the current folder's subfolders with ".." to go
// up. Double click or Enter in the list opens the entry; a single click reports it.
#include <QString>
#include <QWidget>

#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace dravenor {

struct FolderPlace {
    QString label;
    QString path;
};

// The places offered: the examples folder when it exists, home, documents, the root and
// mounted removable media.
std::vector<FolderPlace> folderPlaces(const QString& examplesFolder);
// Visible subfolder names of a folder, sorted without regard to case.
QStringList subfolderNames(const QString& folder);

class FolderBrowser : public QWidget {
    Q_OBJECT
public:
    explicit FolderBrowser(const QString& examplesFolder, QWidget* parent = nullptr);

    // Moves to the folder; false (and no change) when it is not a readable folder.
    bool setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // Full path of a folder-list entry ("..", the parent).
    QString entryPath(const QListWidgetItem* item) const;
    // Opens the entry as if it were double-clicked; false when it cannot be opened.
    bool openEntry(const QListWidgetItem* item);

    QComboBox* placesCombo() const { return places_; }
    QLineEdit* pathEdit() const { return pathEdit_; }
    QListWidget* folderList() const { return list_; }

signals:
    void folderChanged(const QString& folder);
    void entryClicked(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void showMatchingPlace();
    void placeChosen(int index);
    void pathTyped();

    QString folder_;
    std::vector<FolderPlace> placeList_;
    QComboBox* places_ = nullptr;
    QLineEdit* pathEdit_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace dravenor
