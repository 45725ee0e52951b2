#include "app/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_info.h"

namespace dravenor {

namespace {

QLabel* makeLabel(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

SplashWindow::SplashWindow(MainWindowFactory factory, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , factory_(std::move(factory))
{
    setObjectName(QStringLiteral("splash"));
    setWindowTitle(appTitle());
    setFixedSize(460, 260);
    setStyleSheet(QStringLiteral(
        "#splash { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1f3b57, stop:1 #10202f);"
        "          border: 1px solid #5d7c99; }"
        "QLabel { color: #e8eef4; }"
        "#title { font-size: 34px; font-weight: bold; letter-spacing: 2px; }"
        "#subtitle { font-size: 14px; color: #b8c8d8; }"
        "#version { font-size: 12px; color: #b8c8d8; }"
        "#loading { font-size: 11px; color: #8fa6bc; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 32, 24, 20);
    layout->addStretch(1);
    layout->addWidget(makeLabel(appTitle(), QStringLiteral("title"), this));
    layout->addWidget(makeLabel(QStringLiteral("Profile Nesting Software"), QStringLiteral("subtitle"), this));
    layout->addSpacing(18);
    versionLabel_ = makeLabel(QStringLiteral("Version ") + appVersion(), QStringLiteral("version"), this);
    layout->addWidget(versionLabel_);
    layout->addStretch(1);
    layout->addWidget(makeLabel(QStringLiteral("Loading..."), QStringLiteral("loading"), this));

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &SplashWindow::tick);
}

void SplashWindow::begin()
{
    centreOnScreen();
    show();
    timer_->start();
}

void SplashWindow::tick()
{
    ++ticks_;
    if (ticks_ == 1) {
        // Built while the splash is on screen; a new top-level widget stays hidden until shown.
        mainWindow_ = factory_ ? factory_() : nullptr;
    } else if (ticks_ >= kTicksShown) {
        handOver();
    }
}

void SplashWindow::handOver()
{
    timer_->stop();
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    close();
}

bool SplashWindow::timerRunning() const
{
    return timer_->isActive();
}

QString SplashWindow::versionText() const
{
    return versionLabel_->text();
}

void SplashWindow::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

} // namespace dravenor
