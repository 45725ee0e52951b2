#pragma once
// A main window over scripted dialogs and a temporary working folder, with helpers to write
// shape files and to drive the grids by keyboard.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
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
    void touch(const QString& name) { EXPECT_TRUE(QFile(folder.filePath(name)).open(QIODevice::WriteOnly)); }
    bool exists(const QString& name) const { return QFile::exists(folder.filePath(name)); }

    GridView& grid(int index) { return *window->gridView(index); }
    CanvasView& preview(int index) { return *window->previewCanvas(index); }
    int previewInk(int index) { return inkedPixels(preview(index).surface().image()); }

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

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace dravenor::testing
