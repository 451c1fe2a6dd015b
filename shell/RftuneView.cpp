#include "shell/RftuneView.h"

#include <QPalette>

CRftuneView::CRftuneView(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setWhatsThis(QStringLiteral("Open the target with Target > Open, then type commands in "
                                "Manual Cal > Input Window."));
}
