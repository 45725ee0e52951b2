#include "app/progress_window.h"

#include "layouts/checked_optimisation.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/latest_reports.h"
#include "engine/run_texts.h"
#include "layouts/kerf_note.h"

namespace dravenor {

// The engine's reports, kept as their latest values for the window's thread.
class ProgressReports : public NestingProgress {
public:
    struct Values {
        std::string status, title, warning;
        long long placed = 0, required = 0;
        int layoutNo = 0;
    };

    ProgressReports(ProgressWindow& window, const std::atomic<bool>& cancel)
        : latest_([w = &window] { QMetaObject::invokeMethod(w, [w] { w->showReportsNow(); }, Qt::QueuedConnection); }),
          cancel_(cancel)
    {
    }

    void status(const std::string& text, long long placed, long long required) override
    {
        latest_.update([&](Values& v) { v.status = text; v.placed = placed; v.required = required; });
    }
    void title(const std::string& text) override { latest_.update([&](Values& v) { v.title = text; }); }
    void layoutNumber(int layoutNo) override { latest_.update([&](Values& v) { v.layoutNo = layoutNo; }); }
    void warning(const std::string& text) override { latest_.update([&](Values& v) { v.warning = text; }); }
    bool cancelRequested() override { return cancel_; }

    Values take() { return latest_.take(); }

private:
    LatestReports<Values> latest_;
    const std::atomic<bool>& cancel_;
};

ProgressWindow::ProgressWindow(NestingState start, NestingMode mode, const QString& modeCaption, QWidget* parent)
    : RunWindow(tr("Cancel"), parent), state_(std::move(start)), mode_(mode)
{
    setWindowTitle(QString::fromLatin1(kProgressStartTitle));
    // The title carries the progress: wide enough for its longest form beside the title bar's
    // buttons, so no figure is cut off.
    const QString longestTitle = QString::fromStdString(progressTitle(100, 100, true, 0.99999, 9999));
    setMinimumWidth(QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(longestTitle) + 160);
    reports_ = std::make_unique<ProgressReports>(*this, stopFlag());

    modeLabel_ = new QLabel(modeCaption);
    QFont bold = modeLabel_->font();
    bold.setBold(true);
    modeLabel_->setFont(bold);
    kerfLabel_ = new QLabel(QString::fromStdString(kerfUsedNote(state_)));
    kerfLabel_->setVisible(!kerfLabel_->text().isEmpty());
    statusLabel_ = new QLabel;
    statusLabel_->setMinimumWidth(420);
    layoutLabel_ = new QLabel;
    layoutLabel_->setToolTip(tr("Number of Layouts Finished"));
    warningLabel_ = new QLabel;
    warningLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    bar_ = new QProgressBar;
    bar_->setRange(0, 1);
    bar_->setValue(0);

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(modeLabel_, 1);
    top->addWidget(layoutLabel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(kerfLabel_);
    layout->addWidget(statusLabel_);
    layout->addWidget(bar_);
    layout->addWidget(warningLabel_);
    layout->addWidget(notesLabel());
    layout->addWidget(button(), 0, Qt::AlignRight);
}

ProgressWindow::~ProgressWindow()
{
    stopAndWait();
}

void ProgressWindow::run()
{
    result_ = optimiseChecked(state_, mode_, *reports_);
}

void ProgressWindow::showReportsNow()
{
    const ProgressReports::Values v = reports_->take();
    statusLabel_->setText(QString::fromStdString(v.status));
    bar_->setRange(0, static_cast<int>(std::max(1LL, v.required)));
    bar_->setValue(static_cast<int>(std::min(v.placed, std::max(1LL, v.required))));
    if (!v.title.empty()) setWindowTitle(QString::fromStdString(v.title));
    if (v.layoutNo > 0) layoutLabel_->setText(tr("Layouts: %1").arg(v.layoutNo));
    warningLabel_->setText(QString::fromStdString(v.warning));
}

void ProgressWindow::runEnded()
{
    showReportsNow();
    statusLabel_->setText(QString::fromStdString(result_.statusText));
    addNote(commonLineRunText(result_));
}

} // namespace dravenor
