#pragma once
// A main window with a small job typed in and a way to optimise it as the user does, pressing
// OK in the progress window when the run ends.
#include <QLabel>
#include <QPushButton>

#include "app/main_window_fixture.h"
#include "app/progress_window.h"

namespace dravenor::testing {

class MainWindowRunTest : public MainWindowTest {
protected:
    // A job of two sheets of 1000 x 500 and eight plates of 300 x 200 with a kerf of 3.
    void enterJob(const char* sheetQty = "2", const char* partQty = "8", const char* kerf = "3")
    {
        typeInto(BasicGrid, "Kerf", kerf);
        enterFiles(SheetGrid, {writeRectangle("sheet.shp", 1000, 500)});
        typeInto(SheetGrid, "Qty", sheetQty);
        enterFiles(PartGrid, {writeRectangle("plate.shp", 300, 200)});
        typeInto(PartGrid, "Qty", partQty);
    }

    // Starts the run and presses OK as soon as it has finished; returns the end status shown.
    std::string optimise(bool cancelAtOnce = false)
    {
        std::string status;
        window->beforeProgressShown = [&](ProgressWindow& progress) {
            ++progressWindows;
            if (cancelAtOnce) progress.requestCancel();
            QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [this, &progress, &status] {
                status = progress.statusLabel()->text().toStdString();
                progressKerfNote = progress.kerfLabel()->isHidden() ? "" : progress.kerfLabel()->text().toStdString();
                progress.button()->click();
            });
        };
        window->startOptimisation();
        return status;
    }

    int progressWindows = 0;
    std::string progressKerfNote; // the progress window's kerf line as the run ended, "" when hidden
};

} // namespace dravenor::testing
