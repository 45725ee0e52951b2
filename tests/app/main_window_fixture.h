#pragma once
// A main window over scripted dialogs and a temporary working folder: shape files written there,
// the grids driven by keyboard, and a small job typed in and optimised as the user does, OK
// pressed in the progress window when the run ends.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/layout_panel.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "geometry/dxf_export_drawing.h"
#include "support/ink.h"
#include "support/scripted_dialogs.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<MainWindow>(dialogs, folder.path());
    }

    // A closed rectangle width x height as a shape file in the working folder.
    std::string writeRectangle(const QString& name, double width, double height)
    {
        const std::string path = folder.filePath(name).toStdString();
        EXPECT_EQ(saveShapeFile(rectangle(0, 0, width, height), path), "");
        return path;
    }
    // A file of the text in the working folder; its path.
    std::string write(const QString& name, const QByteArray& text = {})
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size()) << name.toStdString();
        return name.startsWith('/') ? name.toStdString() : folder.filePath(name).toStdString();
    }
    void copyDxfTemplates()
    {
        for (const char* name : {kDxfHeaderName, kDxfFooterName})
            ASSERT_TRUE(QFile::copy(QStringLiteral(DRAVENOR_RESOURCE_DIR "/") + name, folder.filePath(name)));
    }
    void showActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    bool exists(const QString& name) const { return QFile::exists(folder.filePath(name)); }

    GridView& grid(int index) { return *window->gridView(index); }
    CanvasView& preview(int index) { return *window->previewCanvas(index); }
    int previewInk(int index) { return inkedPixels(preview(index).surface().image()); }
    LayoutPanel& panel() { return *window->layoutPanel(); }
    std::vector<std::string> listed()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < panel().layoutList()->count(); ++i) lines.push_back(panel().layoutList()->itemText(i).toStdString());
        return lines;
    }

    // Chooses files into the sheet or part grid through the scripted selection dialog, as the
    // user does by pressing Enter on the file cell of the blank row.
    void enterFiles(int gridIndex, std::vector<std::string> files)
    {
        dialogs.shapeSelections.push_back(std::move(files));
        grid(gridIndex).setCurrentCell(window->job().grid(gridIndex).rows() - 1, 1);
        QTest::keyClick(&grid(gridIndex), Qt::Key_Return);
    }
    void typeInto(int gridIndex, const std::string& title, const char* keys, int row = 1)
    {
        grid(gridIndex).setCurrentCell(row, window->job().grid(gridIndex).columnOf(title));
        QTest::keyClicks(&grid(gridIndex), keys);
    }

    // Sheets (of 1000 x 500 unless named) and parts (plates of 300 x 200 unless named) with a kerf of 3.
    void enterJob(const char* sheetQty = "2", const char* partQty = "8", const char* kerf = "3", std::string part = "",
                  std::string sheet = "")
    {
        typeInto(BasicGrid, "Kerf", kerf);
        enterFiles(SheetGrid, {sheet.empty() ? writeRectangle("sheet.shp", 1000, 500) : sheet});
        typeInto(SheetGrid, "Qty", sheetQty);
        enterFiles(PartGrid, {part.empty() ? writeRectangle("plate.shp", 300, 200) : part});
        typeInto(PartGrid, "Qty", partQty);
    }

    // Starts the run and presses OK as soon as it has finished (F1 first when helpInProgress);
    // returns the end status shown.
    std::string optimise(bool cancelAtOnce = false)
    {
        std::string status;
        window->beforeProgressShown = [&](ProgressWindow& progress) {
            ++progressWindows;
            if (cancelAtOnce) progress.requestCancel();
            QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [this, &progress, &status] {
                if (helpInProgress) {
                    progress.activateWindow();
                    if (QTest::qWaitForWindowActive(&progress)) QTest::keyClick(progress.button(), Qt::Key_F1);
                }
                status = progress.statusLabel()->text().toStdString();
                progressKerfNote = progress.kerfLabel()->isHidden() ? "" : progress.kerfLabel()->text().toStdString();
                progressNotes = progress.notesLabel()->isHidden() ? "" : progress.notesLabel()->text().toStdString();
                progress.button()->click();
            });
        };
        window->startOptimisation();
        return status;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    int progressWindows = 0;
    bool helpInProgress = false; // F1 pressed in the progress window as the run ends
    std::string progressKerfNote; // the progress window's kerf line as the run ended, "" when hidden
    std::string progressNotes;    // what the progress window said the drawings were read with
};

} // namespace dravenor::testing
