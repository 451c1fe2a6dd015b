#include "shell/AboutDlg.h"

#include "widgets/ProgramArt.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rftune 정보"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* version = new QLabel(QStringLiteral("RF CALIBRATION V1.0"), this);
    auto* ok = new QPushButton(QStringLiteral("확인"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);

    auto* history = new QGroupBox(QStringLiteral("프로그램 개발 역사 "), this);
    auto* historyLines = new QVBoxLayout(history);
    historyLines->addWidget(new QLabel(QStringLiteral("2002. 08.10  1.0 version "), history));
    historyLines->addWidget(
        new QLabel(QStringLiteral("2002. 08.21  1.1 version - 32.0 -> 31.9"), history));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(version, 1);
    top->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(history);
}
