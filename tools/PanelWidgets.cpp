#include "tools/PanelWidgets.h"

#include <QLineEdit>
#include <QPushButton>

QPushButton* MakePanelButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakePanelEdit(const QString& name, QWidget* parent, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QLineEdit* MakeResultBox(QWidget* parent) {
    auto* box = MakePanelEdit(QStringLiteral("result"), parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}
