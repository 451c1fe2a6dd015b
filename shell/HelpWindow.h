#pragma once

#include <QDialog>

// The help page that comes with the program, in a window of its own.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPageUrl = "qrc:/help/rftune.html";

    explicit HelpWindow(QWidget* parent = nullptr);
};
