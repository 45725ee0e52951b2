#pragma once
// The folder dialog: picks the output folder of the breakup files. The label always shows the
// chosen folder; Select returns it ending in a separator, Cancel returns "".
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace dravenor {

class FolderBrowser;

// The chosen folder as the dialog returns it: with one separator appended unless it already ends
// in one (so the root stays "/"); "" when cancelled.
QString folderDialogResult(const QString& chosen, bool selected);

class FolderDialog : public QDialog {
    Q_OBJECT
public:
    static const char* const kDefaultCaption;

    explicit FolderDialog(const QString& startFolder, const QString& examplesFolder,
                          QWidget* parent = nullptr);

    // After Select: the chosen folder ending in a separator; after Cancel (or before): "".
    QString result() const { return result_; }
    // The folder Select would return, as the label shows it.
    QString chosenFolder() const { return chosen_; }
    // The folder the list shows (to remember for the next opening).
    QString currentFolder() const;

    // Creates a subfolder of the current folder and opens it; false when it cannot be created.
    bool createSubfolder(const QString& name);

    FolderBrowser* folders() const { return folders_; }
    QLabel* chosenLabel() const { return chosenLabel_; }
    QPushButton* selectButton() const { return selectButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* newFolderButton() const { return newFolderButton_; }

public slots:
    void accept() override;
    void reject() override;

private:
    void choose(const QString& folder);
    void askNewFolder();

    FolderBrowser* folders_ = nullptr;
    QLabel* chosenLabel_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* newFolderButton_ = nullptr;
    QString chosen_;
    QString result_;
};

} // namespace dravenor
