#include "tools/ManualCalDlg.h"

#include "link/ManualSession.h"
#include "widgets/History.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);
    return button;
}

} // namespace

CManualCalDlg::CManualCalDlg(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("MANUAL CAL "), parent), session_(new ManualSession(comm, this)),
      display_(new CHistory(this)), input_(new QLineEdit(this)),
      send_(MakeButton(QStringLiteral("SEND"), "send", this)) {
    display_->setObjectName("display");
    input_->setObjectName("input");
    // Enter in the input field presses SEND once; on a focused button Enter presses that button,
    // as in any dialog.
    send_->setDefault(true);
    auto* clear = MakeButton(QStringLiteral("CLEAR"), "clear", this);
    auto* exit = MakeButton(QStringLiteral("EXIT"), "exit", this);

    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(input_, 1);
    inputRow->addWidget(send_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(clear);
    buttonRow->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("display"), this));
    layout->addWidget(display_, 1);
    layout->addLayout(inputRow);
    layout->addLayout(buttonRow);
    resize(560, 440);

    connect(session_, &ManualSession::textAdded, display_, &CHistory::AddLine);
    connect(send_, &QPushButton::clicked, this, &CManualCalDlg::OnSend);
    connect(clear, &QPushButton::clicked, display_, &CHistory::clear);
    connect(exit, &QPushButton::clicked, this, &CManualCalDlg::close);
    AttachSession(session_->Target(), NotConnectedNotice::ConnectFromMenu);
    input_->setFocus();
}

void CManualCalDlg::OnSend() {
    // The whole line, however long: QString holds it, and the encoder bounds its own tokens.
    const QString line = input_->text();
    input_->clear();
    session_->Send(line);
}
