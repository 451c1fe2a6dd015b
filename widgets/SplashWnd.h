#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The start-up picture, a borderless window of exactly the picture's size, centred. It closes
// itself when its display time is over or at once on any key or mouse button press in the
// application, and then deletes itself.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDisplayMs = 500;

    // Shows the splash over mainWindow (its owner: the splash never outlives it).
    static QPointer<CSplashWnd> ShowSplashScreen(QWidget* mainWindow);

    // The display time counts from here: the main frame starts it once its own window is up,
    // so the picture stays for the whole start-up wait.
    void StartDisplayTimer(int ms = kDisplayMs);
    int DisplayTimeMs() const { return timer_.interval(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CSplashWnd(const QPixmap& picture, QWidget* mainWindow);
    void HideSplashWindow();

    QPixmap picture_;
    QPointer<QWidget> mainWindow_;
    QTimer timer_; // timer 1
};
