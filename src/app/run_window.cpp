#include "app/run_window.h"

#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

namespace dravenor {

RunWindow::RunWindow(const QString& stopText, QWidget* parent) : QDialog(parent)
{
    setModal(true);
    button_ = new QPushButton(stopText, this);
    notesLabel_ = new QLabel(this);
    notesLabel_->setWordWrap(true);
    notesLabel_->hide();
    connect(button_, &QPushButton::clicked, this, &RunWindow::onButton);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &RunWindow::helpRequested);
}

void RunWindow::setDrawingNotes(const std::string& text)
{
    notesLabel_->setText(QString::fromStdString(text));
    notesLabel_->setVisible(!text.empty());
}

void RunWindow::addNote(const std::string& line)
{
    if (line.empty()) return;
    const QString before = notesLabel_->text();
    notesLabel_->setText(before.isEmpty() ? QString::fromStdString(line) : before + "\n" + QString::fromStdString(line));
    notesLabel_->show();
}

RunWindow::~RunWindow()
{
    stopAndWait();
}

void RunWindow::stopAndWait()
{
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

void RunWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    worker_ = std::thread([this] {
        run();
        QMetaObject::invokeMethod(this, [this] { onRunReturned(); }, Qt::QueuedConnection);
    });
}

void RunWindow::onRunReturned()
{
    worker_.join();
    runEnded();
    finished_ = true;
    button_->setText(tr("OK"));
    button_->setToolTip({});
    button_->setEnabled(true);
    button_->setFocus();
    emit finishedRun();
}

void RunWindow::onButton()
{
    if (finished_) {
        accept();
        return;
    }
    stop_ = true;
}

void RunWindow::reject()
{
    if (finished_) QDialog::reject();
    else stop_ = true;
}

} // namespace dravenor
