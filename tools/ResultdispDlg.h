#pragma once

#include <QDialog>
#include <QPointer>

class CHistory;

// The Result Display: every successful reply its opener receives, printed in the result forms,
// one reply after another. Modeless; it deletes itself when closed.
class CResultdispDlg : public QDialog {
    Q_OBJECT
public:
    // owner only bounds the lifetime (the display closes with the window that opened it); the
    // display is a window of its own.
    explicit CResultdispDlg(QWidget* owner = nullptr);

    // Brings the opener's display forward, or creates a new one when there is none or the last
    // one was closed; the reference is cleared by Qt when the display goes.
    static CResultdispDlg* Open(QPointer<CResultdispDlg>& reference, QWidget* owner);

    CHistory& Display() { return *display_; }

    // A reply frame with its stuffing removed, as its receiver hands it over: the separator and
    // the reply's result form.
    void ShowReply(const QByteArray& unstuffed);

private:
    CHistory* display_;
};
