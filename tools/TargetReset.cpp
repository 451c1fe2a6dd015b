#include "tools/TargetReset.h"

#include "tools/PanelWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CTargetReset::CTargetReset(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("E2P Reset"), parent),
      session_(new TargetSession(comm, kReplyTimeoutMs, this)) {
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    auto* question = new QLabel(
        QStringLiteral("If you reset Target, RF Cal data is all erased. Really Do you Erase?"),
        this);
    question->setObjectName("question");
    QPushButton* yes = MakePanelButton(QStringLiteral("예"), "yes", this);
    QPushButton* no = MakePanelButton(QStringLiteral("아니오"), "no", this);
    // Erasing is never the answer Enter gives.
    no->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(buttons);

    connect(yes, &QPushButton::clicked, this, &CTargetReset::OnYes);
    connect(no, &QPushButton::clicked, this, &CTargetReset::OnNo);
    AttachSession(*session_, NotConnectedNotice::PleaseConnect);
}

void CTargetReset::OnYes() {
    done(kResultCode);
    session_->Send(QStringLiteral("se 5"));
}

void CTargetReset::OnNo() {
    done(kResultCode);
}
