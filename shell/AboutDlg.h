#pragma once

#include <QDialog>

// The About box: program icon, version line and the development history.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
