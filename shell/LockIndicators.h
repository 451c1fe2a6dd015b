#pragma once

#include <QObject>

class QLabel;
class QKeyEvent;
class QStatusBar;

// The status bar's CAP, NUM and SCRL indicators. Qt reports no lock state, so they follow the
// lock keys the program sees; under X11 the key events' native state also tells Caps Lock and
// Num Lock as they are, whatever they were when the program started.
class LockIndicators : public QObject {
    Q_OBJECT
public:
    explicit LockIndicators(QStatusBar& statusBar);

    bool CapsOn() const { return caps_; }
    bool NumOn() const { return num_; }
    bool ScrollOn() const { return scroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(const QKeyEvent& key);
    void Show();

    bool x11_;
    bool caps_ = false;
    bool num_ = false;
    bool scroll_ = false;
    QLabel* capsLabel_;
    QLabel* numLabel_;
    QLabel* scrollLabel_;
};
