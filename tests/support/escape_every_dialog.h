#pragma once
// Presses Esc on every modal box or dialog the code under test opens, as a user who wants
// everything left as it was, and records what each one said. Lives for one test step.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace dravenor::testing {

class EscapeEveryDialog {
public:
    EscapeEveryDialog()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { escapeModal(); });
        timer_.start();
    }
    // The texts of the boxes answered (a dialog's title for other dialogs), in order.
    std::vector<std::string> seen;

private:
    void escapeModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        const auto* box = qobject_cast<QMessageBox*>(modal);
        seen.push_back((box ? box->text() : modal->windowTitle()).toStdString());
        QTest::keyClick(modal, Qt::Key_Escape);
    }
    QTimer timer_;
};

} // namespace dravenor::testing
