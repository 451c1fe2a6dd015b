#pragma once

#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// The controls the hands-on panels are built of, each named so that scripts and tests find it.

// A push button that Enter never presses: Enter has its own meaning in a panel, or none.
QPushButton* MakePanelButton(const QString& caption, const QString& name, QWidget* parent);
QLineEdit* MakePanelEdit(const QString& name, QWidget* parent, const QString& text = {});
// A read-only box for a panel's outcome.
QLineEdit* MakeResultBox(QWidget* parent);
