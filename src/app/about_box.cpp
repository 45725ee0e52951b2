#include "app/about_box.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/app_info.h"
#include "app/help_request.h"

namespace dravenor {

namespace {

// The about box itself: a plain dialog that also answers F1.
class AboutBox : public QDialog {
public:
    AboutBox(QWidget* parent, std::function<void()> openHelp)
        : QDialog(parent), openHelp_(std::move(openHelp)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
            if (openHelp_) openHelp_();
            return;
        }
        QDialog::keyPressEvent(event);
    }

private:
    std::function<void()> openHelp_;
};

QLabel* addLine(QVBoxLayout* layout, const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

std::unique_ptr<QDialog> buildAboutBox(QWidget* parent, const QString& workingFolder,
                                       std::function<void()> openHelp)
{
    std::unique_ptr<QDialog> dialog = std::make_unique<AboutBox>(parent, std::move(openHelp));
    dialog->setWindowTitle(QStringLiteral("About ") + appTitle());
    dialog->setModal(true);

    auto* layout = new QVBoxLayout(dialog.get());
    layout->setContentsMargins(20, 18, 20, 14);
    QLabel* first = addLine(layout, aboutFirstLine(), QStringLiteral("firstLine"), dialog.get());
    QFont bold = first->font();
    bold.setBold(true);
    first->setFont(bold);
    addLine(layout,
            QStringLiteral("Arranges flat parts on stock sheets so that as little material as possible is wasted."),
            QStringLiteral("secondLine"), dialog.get());
    layout->addSpacing(8);
    QLabel* folder = addLine(layout,
            QStringLiteral("Working folder: ") + QDir::toNativeSeparators(workingFolder),
            QStringLiteral("workingFolder"), dialog.get());
    folder->setStyleSheet(QStringLiteral("color: palette(mid);"));
    addLine(layout, QStringLiteral("Press F1 for help."), QStringLiteral("helpHint"), dialog.get())
        ->setStyleSheet(QStringLiteral("color: palette(mid);"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    layout->addSpacing(6);
    layout->addWidget(buttons);

    dialog->setMinimumWidth(440);
    return dialog;
}

void showAboutBox(QWidget* parent, const QString& workingFolder)
{
    std::unique_ptr<QDialog> dialog;
    dialog = buildAboutBox(parent, workingFolder, [&dialog, workingFolder] {
        requestHelp(dialog.get(), workingFolder);
    });
    dialog->exec();
}

} // namespace dravenor
