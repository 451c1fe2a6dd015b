#include "tools/RfTestDlg.h"

#include "sessions/RfTestSession.h"
#include "tools/PanelWidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// One group of the panel: its buttons one under the other in the order of their numbers, each
// box to the left of the button that reads it.
class StepGroup {
public:
    StepGroup(const QString& title, RfTestSession& session, QWidget* parent)
        : box_(new QGroupBox(title, parent)), grid_(new QGridLayout(box_)), session_(session) {}

    QGroupBox* Box() const { return box_; }

    // Empty: the panel keeps no values of its own (a box left empty reads as 0, as any text
    // without a number does).
    QLineEdit* Edit(const QString& name) {
        auto* edit = MakePanelEdit(name, box_);
        edit->setMaximumWidth(70);
        return edit;
    }
    // A button whose line never changes.
    void Step(const QString& caption, const QString& name, RfStep step) {
        Button(caption, name, [session = &session_, step] { session->Send(step); });
    }
    void Button(const QString& caption, const QString& name, std::function<void()> onClick) {
        auto* button = MakePanelButton(caption, name, box_);
        QObject::connect(button, &QPushButton::clicked, box_, std::move(onClick));
        grid_->addWidget(button, row_++, 1);
    }
    void ButtonWithBox(const QString& caption, const QString& name, QLineEdit* box,
                       std::function<void()> onClick) {
        grid_->addWidget(box, row_, 0);
        Button(caption, name, std::move(onClick));
    }

private:
    QGroupBox* box_;
    QGridLayout* grid_;
    RfTestSession& session_;
    int row_ = 0;
};

} // namespace

CRfTestDlg::CRfTestDlg(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("RF TEST"), parent), session_(new RfTestSession(comm, this)) {
    auto* groups = new QHBoxLayout;
    groups->addWidget(MakeTxTest());
    groups->addWidget(MakeRxContinuous());
    groups->addWidget(MakeAfcDac());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(MakeBottomRow());

    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
    installEventFilter(this);
    AttachSession(session_->Target(), NotConnectedNotice::Silent);
}

QGroupBox* CRfTestDlg::MakeTxTest() {
    StepGroup group(QStringLiteral("TX TEST"), *session_, this);
    RfTestSession* session = session_;
    QLineEdit* channel = group.Edit(QStringLiteral("txChannel"));
    QLineEdit* level = group.Edit(QStringLiteral("txLevel"));
    QLineEdit* dac = group.Edit(QStringLiteral("txDac"));
    group.Step(QStringLiteral("Testmode Init[1]"), QStringLiteral("txTestmodeInit"),
               RfStep::TestmodeInit);
    group.Step(QStringLiteral("Testmode Set[2]"), QStringLiteral("txTestmodeSet"),
               RfStep::TestmodeSet);
    group.ButtonWithBox(QStringLiteral("CH Set[3]"), QStringLiteral("txChannelSet"), channel,
                        [session, channel] { session->SetTxChannel(channel->text()); });
    group.ButtonWithBox(
        QStringLiteral("P/L Set[4]"), QStringLiteral("txLevelSet"), level,
        [session, channel, level] { session->SetPowerLevel(channel->text(), level->text()); });
    group.Step(QStringLiteral("TX ON[5]"), QStringLiteral("txOn"), RfStep::TxOn);
    group.Step(QStringLiteral("TX OFF[6]"), QStringLiteral("txOff"), RfStep::RfOff);
    group.ButtonWithBox(
        QStringLiteral("APC DAC Set"), QStringLiteral("txDacSet"), dac,
        [session, channel, dac] { session->SetApcDac(channel->text(), dac->text()); });
    return group.Box();
}

QGroupBox* CRfTestDlg::MakeRxContinuous() {
    StepGroup group(QStringLiteral("RX Continous"), *session_, this);
    RfTestSession* session = session_;
    QLineEdit* channel = group.Edit(QStringLiteral("rxChannel"));
    QLineEdit* agc = group.Edit(QStringLiteral("rxAgc"));
    group.Step(QStringLiteral("Testmode Init[1]"), QStringLiteral("rxTestmodeInit"),
               RfStep::TestmodeInit);
    group.Step(QStringLiteral("Testmode Set[2]"), QStringLiteral("rxTestmodeSet"),
               RfStep::TestmodeSet);
    group.ButtonWithBox(QStringLiteral("CH Set[3]"), QStringLiteral("rxChannelSet"), channel,
                        [session, channel] { session->SetRxChannel(channel->text()); });
    group.Step(QStringLiteral("AGC Disable[4]"), QStringLiteral("rxAgcDisable"),
               RfStep::AgcDisable);
    group.ButtonWithBox(QStringLiteral("AGC Set[5]"), QStringLiteral("rxAgcSet"), agc,
                        [session, agc] { session->SetAgc(agc->text()); });
    group.Step(QStringLiteral("RX ON[6]"), QStringLiteral("rxOn"), RfStep::RxOn);
    group.Step(QStringLiteral("RX OFF[7]"), QStringLiteral("rxOff"), RfStep::RfOff);
    return group.Box();
}

QGroupBox* CRfTestDlg::MakeAfcDac() {
    StepGroup group(QStringLiteral("AFC DAC"), *session_, this);
    RfTestSession* session = session_;
    QLineEdit* channel = group.Edit(QStringLiteral("afcChannel"));
    QLineEdit* level = group.Edit(QStringLiteral("afcLevel"));
    QLineEdit* afcDac = group.Edit(QStringLiteral("afcDac"));
    group.Step(QStringLiteral("Testmode Init[1]"), QStringLiteral("afcTestmodeInit"),
               RfStep::TestmodeInit);
    group.Step(QStringLiteral("Testmode Set[2]"), QStringLiteral("afcTestmodeSet"),
               RfStep::TestmodeSet);
    group.ButtonWithBox(QStringLiteral("CH Set[3]"), QStringLiteral("afcChannelSet"), channel,
                        [session, channel] { session->SetTxChannel(channel->text()); });
    group.Step(QStringLiteral("AFC Disable[4]"), QStringLiteral("afcDisable"), RfStep::AfcDisable);
    group.ButtonWithBox(
        QStringLiteral("P/L Set[5]"), QStringLiteral("afcLevelSet"), level,
        [session, channel, level] { session->SetPowerLevel(channel->text(), level->text()); });
    group.ButtonWithBox(QStringLiteral("AFC DAC Set[6]"), QStringLiteral("afcDacSet"), afcDac,
                        [session, afcDac] { session->SetAfcDac(afcDac->text()); });
    group.Step(QStringLiteral("TX ON[7]"), QStringLiteral("afcTxOn"), RfStep::AfcTxOn);
    group.Step(QStringLiteral("TX OFF[8]"), QStringLiteral("afcTxOff"), RfStep::RfOff);
    return group.Box();
}

QLayout* CRfTestDlg::MakeBottomRow() {
    otherCommand_ = MakePanelEdit(QStringLiteral("otherCommand"), this);
    QLineEdit* result = MakeResultBox(this);
    QPushButton* save = MakePanelButton(QStringLiteral("SAVE RF TO EEP"), "saveRfToEep", this);
    QPushButton* exit = MakePanelButton(QStringLiteral("EXIT"), "exit", this);
    connect(session_, &RfTestSession::resultChanged, result, &QLineEdit::setText);
    connect(save, &QPushButton::clicked, this,
            [session = session_] { session->Send(RfStep::SaveRfToEeprom); });
    connect(exit, &QPushButton::clicked, this, &CRfTestDlg::close);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Other command"), this));
    row->addWidget(otherCommand_, 2);
    row->addWidget(result, 1);
    row->addWidget(save);
    row->addWidget(exit);
    return row;
}

bool CRfTestDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->buttons() == Qt::LeftButton && press->modifiers() == Qt::NoModifier)
            session_->ClearResult();
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnEnter();
            return true;
        }
    }
    return TargetWindow::eventFilter(watched, event);
}

void CRfTestDlg::OnEnter() {
    const QString line = otherCommand_->text();
    otherCommand_->clear();
    session_->SendOtherCommand(line);
}
