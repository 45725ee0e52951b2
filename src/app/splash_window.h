#pragma once
// The start-up splash: shows the title and version while the main window is built behind it,
// then hands over. Its timer ticks four times: tick 1 builds the main window hidden, ticks 2 and
// 3 leave it time to settle, tick 4 shows the main window and closes the splash.
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace dravenor {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the main window; its owner is the caller, who keeps it alive after the splash.
    using MainWindowFactory = std::function<QWidget*()>;

    static constexpr int kTickMilliseconds = 400;
    static constexpr int kTicksShown = 4;

    explicit SplashWindow(MainWindowFactory factory, QWidget* parent = nullptr);

    // Shows the splash centred on the screen and starts the timer.
    void begin();
    // One timer tick (the timer calls it; tests may call it directly).
    void tick();

    int ticks() const { return ticks_; }
    bool timerRunning() const;
    QWidget* mainWindow() const { return mainWindow_; }
    QString versionText() const;

private:
    void centreOnScreen();
    void handOver();

    MainWindowFactory factory_;
    QWidget* mainWindow_ = nullptr;
    QTimer* timer_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    int ticks_ = 0;
};

} // namespace dravenor
