#include "tools/LogicTestDlg.h"

#include "sessions/LogicTestSession.h"
#include "tools/PanelWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A drop-down box of the numbers first..last that also takes a typed number; typing adds no
// item to the list.
QComboBox* MakeNumberBox(const QString& name, int first, int last, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int value = first; value <= last; ++value)
        box->addItem(QString::number(value));
    return box;
}

QCheckBox* MakeCheckBox(const QString& caption, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(true); // all three: the 7 of "7 LED Test"
    return box;
}

} // namespace

CLogicTestDlg::CLogicTestDlg(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("Logic Test"), parent),
      session_(new LogicTestSession(comm, this)) {
    auto* right = new QVBoxLayout;
    right->addWidget(MakeLed());
    right->addWidget(MakeLcdContrast());
    right->addStretch(1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(MakeMisc());
    groups->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(MakeBottomRow());
    AttachSession(session_->Target(), NotConnectedNotice::Silent);
}

QGroupBox* CLogicTestDlg::MakeMisc() {
    auto* box = new QGroupBox(QStringLiteral("MISC"), this);
    LogicTestSession* session = session_;
    QPushButton* vib = MakePanelButton(QStringLiteral("VibTest"), "vibTest", box);
    QPushButton* backlight = MakePanelButton(session->BacklightCaption(), "backlight", box);
    QPushButton* lcd = MakePanelButton(QStringLiteral("LCD Test"), "lcdTest", box);
    QPushButton* subLcd = MakePanelButton(QStringLiteral("SubLCD Test"), "subLcdTest", box);
    QPushButton* keys = MakePanelButton(QStringLiteral("Key AutoTest"), "keyAutoTest", box);
    QPushButton* mic = MakePanelButton(session->MicrophoneCaption(), "micTest", box);
    QPushButton* tone = MakePanelButton(session->ToneCaption(), "spkTone", box);
    QLineEdit* gain = MakePanelEdit(QStringLiteral("gain"), box);
    gain->setMaximumWidth(60);

    connect(vib, &QPushButton::clicked, this, [session] { session->Send(LogicStep::VibTest); });
    connect(backlight, &QPushButton::clicked, session, &LogicTestSession::ToggleBacklight);
    connect(lcd, &QPushButton::clicked, this, [session] { session->Send(LogicStep::LcdTest); });
    connect(subLcd, &QPushButton::clicked, this,
            [session] { session->Send(LogicStep::SubLcdTest); });
    connect(keys, &QPushButton::clicked, this,
            [session] { session->Send(LogicStep::KeyAutoTest); });
    connect(mic, &QPushButton::clicked, session, &LogicTestSession::ToggleMicrophone);
    connect(tone, &QPushButton::clicked, this,
            [session, gain] { session->ToggleTone(gain->text()); });
    connect(session, &LogicTestSession::captionsChanged, this, [session, backlight, mic, tone] {
        backlight->setText(session->BacklightCaption());
        mic->setText(session->MicrophoneCaption());
        tone->setText(session->ToneCaption());
    });

    auto* gainRow = new QHBoxLayout;
    gainRow->addWidget(new QLabel(QStringLiteral("GAIN"), box));
    gainRow->addWidget(gain);
    gainRow->addWidget(new QLabel(QStringLiteral("(1~255)"), box));
    gainRow->addStretch(1);
    auto* column = new QVBoxLayout(box);
    for (QPushButton* button : {vib, backlight, lcd, subLcd, keys, mic, tone})
        column->addWidget(button);
    column->addLayout(gainRow);
    column->addStretch(1);
    return box;
}

QGroupBox* CLogicTestDlg::MakeLed() {
    auto* box = new QGroupBox(QStringLiteral("LED"), this);
    QPushButton* test = MakePanelButton(QStringLiteral("7 LED Test"), "ledTest", box);
    QCheckBox* red = MakeCheckBox(QStringLiteral("RED"), "red", box);
    QCheckBox* green = MakeCheckBox(QStringLiteral("GREEN"), "green", box);
    QCheckBox* blue = MakeCheckBox(QStringLiteral("BLUE"), "blue", box);
    connect(test, &QPushButton::clicked, this, [session = session_, red, green, blue] {
        session->TestLeds({red->isChecked(), green->isChecked(), blue->isChecked()});
    });
    auto* row = new QHBoxLayout(box);
    row->addWidget(test);
    row->addWidget(red);
    row->addWidget(green);
    row->addWidget(blue);
    return box;
}

QGroupBox* CLogicTestDlg::MakeLcdContrast() {
    auto* box = new QGroupBox(QStringLiteral("LCD Contrast"), this);
    QPushButton* set = MakePanelButton(QStringLiteral("M_LCD Contrast SET"), "mainLcdSet", box);
    QComboBox* value = MakeNumberBox(QStringLiteral("mainLcdValue"), 20, 30, box);
    connect(set, &QPushButton::clicked, this,
            [session = session_, value] { session->SetMainLcdContrast(value->currentText()); });
    auto* mainRow = new QHBoxLayout;
    mainRow->addWidget(set);
    mainRow->addWidget(new QLabel(QStringLiteral("Value"), box));
    mainRow->addWidget(value);
    auto* column = new QVBoxLayout(box);
    column->addLayout(mainRow);
    column->addWidget(MakeSubLcd(box));
    return box;
}

QGroupBox* CLogicTestDlg::MakeSubLcd(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("SUB LCD"), parent);
    QComboBox* volume = MakeNumberBox(QStringLiteral("subLcdVol"), 0, 63, box);
    QComboBox* v0 = MakeNumberBox(QStringLiteral("subLcdV0"), 0, 7, box);
    // A choice from the list sends the newly chosen number at once.
    connect(volume, &QComboBox::textActivated, session_, &LogicTestSession::SetSubLcdVolume);
    connect(v0, &QComboBox::textActivated, session_, &LogicTestSession::SetSubLcdV0);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("VOL"), box), 0, 0);
    grid->addWidget(volume, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("V0"), box), 1, 0);
    grid->addWidget(v0, 1, 1);
    return box;
}

QLayout* CLogicTestDlg::MakeBottomRow() {
    QPushButton* save = MakePanelButton(QStringLiteral("LOGIC DATA SAVE"), "logicDataSave", this);
    QLineEdit* result = MakeResultBox(this);
    QPushButton* exit = MakePanelButton(QStringLiteral("EXIT"), "exit", this);
    connect(save, &QPushButton::clicked, this,
            [session = session_] { session->Send(LogicStep::LogicDataSave); });
    connect(session_, &LogicTestSession::resultChanged, result, &QLineEdit::setText);
    connect(exit, &QPushButton::clicked, this, &CLogicTestDlg::close);
    auto* row = new QHBoxLayout;
    row->addWidget(save);
    row->addWidget(result, 1);
    row->addWidget(exit);
    return row;
}
