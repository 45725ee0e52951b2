#pragma once
// A main window over a scripted dialog service and a temporary working folder, with helpers to
// write small shape files and to drive the grids by keyboard.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/main_window.h"
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
        const QString w = QString::number(width), h = QString::number(height);
        const QString line = "\"%1\",\"%2\",\"%3\",\"%4\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n";
        const QString text = line.arg("0", "0", w, "0") + line.arg(w, "0", w, h) + line.arg(w, h, "0", h) +
                             line.arg("0", h, "0", "0");
        return writeFile(name, text.toLatin1());
    }

    std::string writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName().toStdString();
    }

    bool exists(const QString& name) const { return QFile::exists(folder.filePath(name)); }

    GridView& grid(int index) { return *window->gridView(index); }
    CanvasView& preview(int index) { return *window->previewCanvas(index); }

    // Puts the cursor on a cell and presses Enter there, as the user does to choose files.
    void pressEnterAt(int gridIndex, int row, int col)
    {
        grid(gridIndex).setCurrentCell(row, col);
        QTest::keyClick(&grid(gridIndex), Qt::Key_Return);
    }

    // Chooses files into the sheet or part grid through the scripted selection dialog.
    void enterFiles(int gridIndex, std::vector<std::string> files)
    {
        dialogs.shapeSelections.push_back(std::move(files));
        const TextGrid& g = window->job().grid(gridIndex);
        pressEnterAt(gridIndex, g.rows() - 1, 1);
    }

    void typeInto(int gridIndex, int row, const std::string& title, const char* keys)
    {
        const int col = window->job().grid(gridIndex).columnOf(title);
        ASSERT_GT(col, 0) << title;
        grid(gridIndex).setCurrentCell(row, col);
        QTest::keyClicks(&grid(gridIndex), keys);
    }

    // Number of pixels of the preview that are not white.
    static int inkedPixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)) != QColor(Qt::white)) ++count;
        return count;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace dravenor::testing
