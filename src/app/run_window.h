#pragma once
// A modal window around one run on a worker thread: the run starts when the window is first
// shown and works on the window's own data; the button stops it and, once it has ended, closes
// the window (its text becomes "OK"); Esc and the close box stop it too but close only the window
// of an ended run. Windows built on it call stopAndWait() first in their destructors, so that the
// run never outlives their data.
#include <QDialog>
#include <atomic>
#include <string>
#include <thread>

class QLabel;
class QPushButton;

namespace dravenor {

class RunWindow : public QDialog {
    Q_OBJECT
public:
    ~RunWindow() override;

    bool runFinished() const { return finished_; }
    QPushButton* button() const { return button_; }
    // What the run's drawings were read with (units converted, entities skipped), one per line;
    // hidden when there is nothing to say.
    void setDrawingNotes(const std::string& text);
    // One more line under those notes (what the run did beyond nesting).
    void addNote(const std::string& line);
    QLabel* notesLabel() const { return notesLabel_; }

signals:
    void finishedRun();
    // F1: the window's owner opens the help on optimising.
    void helpRequested();

protected:
    RunWindow(const QString& stopText, QWidget* parent);

    // The run itself, on the worker thread.
    virtual void run() = 0;
    // On the window's thread once the run returned, before the button turns to OK.
    virtual void runEnded() = 0;

    void requestStopOfRun() { stop_ = true; }
    const std::atomic<bool>& stopFlag() const { return stop_; }
    void stopAndWait();

    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void onButton();
    void onRunReturned();

    std::atomic<bool> stop_{false};
    bool started_ = false;
    bool finished_ = false;
    std::thread worker_;
    QPushButton* button_ = nullptr;
    QLabel* notesLabel_ = nullptr;
};

} // namespace dravenor
