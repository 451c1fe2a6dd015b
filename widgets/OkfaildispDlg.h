#pragma once

#include <QDialog>

class QTextEdit;

// The OK/FAIL popup the calibration shows with an outcome ("GMAGIC CAL FAIL"): modal, without a
// caption, the message centred; OK, Enter or Escape close it and the caller goes on.
class COkfaildispDlg : public QDialog {
    Q_OBJECT
public:
    explicit COkfaildispDlg(const QString& message, QWidget* parent = nullptr);

    QTextEdit& MessageField() { return *message_; }

private:
    QTextEdit* message_;
};
