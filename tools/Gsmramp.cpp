#include "tools/Gsmramp.h"

#include "sessions/GsmrampCommands.h"
#include "sessions/GsmrampSession.h"
#include "tools/LineChartCtrl.h"
#include "tools/RampStepBox.h"
#include "tools/ResultdispDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QColor kRampColour{0, 255, 0};
constexpr unsigned kChartUpper = 10;
constexpr unsigned kChartLower = 0;
constexpr int kStepBoxWidth = 46;

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter in the editor's boxes presses no button: it would close the editor or send a line
    // the operator did not ask for.
    button->setAutoDefault(false);
    return button;
}

// A drop-down list that starts with nothing chosen.
QComboBox* MakeChoice(const QStringList& items, const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QLineEdit* MakeReadOnly(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

const char* RowName(RampTable::Row row) {
    return row == RampTable::Up ? "up" : "down";
}

} // namespace

CGsmramp::CGsmramp(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("GSM RAMP TABLE"), parent),
      session_(new GsmrampSession(comm, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(MakeSelectors());
    layout->addLayout(MakeChartRow());
    layout->addLayout(MakeSteps());
    layout->addLayout(MakeCommandRow());
    layout->addLayout(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    chart_->AddSeries(kRampColour, kChartUpper, kChartLower);
    ConnectSession();
    AttachSession(session_->Target(), NotConnectedNotice::ConnectFromMenu);
}

RampStepBox& CGsmramp::Step(RampTable::Row row, int slot) {
    return *steps_[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)];
}

CResultdispDlg* CGsmramp::ResultDisplay() const {
    return display_.data();
}

QLayout* CGsmramp::MakeSelectors() {
    band_ = MakeChoice(RampBandCaptions(), "band", this);
    txLevel_ = MakeChoice(TxLevelCaptions(), "txLevel", this);
    index_ = MakeChoice(RampIndexCaptions(), "index", this);
    dac_ = new QLineEdit(this);
    dac_->setObjectName("dac");
    auto* load = MakeButton(QStringLiteral("LOAD"), "load", this);
    auto* saveTemplate = MakeButton(QStringLiteral("SAVE"), "saveTemplate", this);
    auto* saveDac = MakeButton(QStringLiteral("SAVE"), "saveDac", this);

    connect(band_, &QComboBox::currentIndexChanged, session_, &GsmrampSession::SelectBand);
    connect(txLevel_, &QComboBox::currentTextChanged, session_, &GsmrampSession::SelectTxLevel);
    connect(index_, &QComboBox::currentTextChanged, session_, &GsmrampSession::SetIndexText);
    connect(load, &QPushButton::clicked, session_, &GsmrampSession::Load);
    connect(saveTemplate, &QPushButton::clicked, session_, &GsmrampSession::SaveTemplate);
    connect(saveDac, &QPushButton::clicked, this, [this] { session_->SaveDac(dac_->text()); });

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("BAND"), this));
    row->addWidget(band_);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("TX LEVEL"), this));
    row->addWidget(txLevel_);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("INDEX"), this));
    row->addWidget(index_);
    row->addWidget(load);
    row->addWidget(saveTemplate);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("DAC"), this));
    row->addWidget(dac_);
    row->addWidget(saveDac);
    row->addStretch(1);
    return row;
}

QLayout* CGsmramp::MakeChartRow() {
    chart_ = new CLineChartCtrl(kChartSize, this);
    chart_->setObjectName("chart");
    upTotal_ = MakeReadOnly("upTotal", this);
    downTotal_ = MakeReadOnly("downTotal", this);
    auto* applyIndex = new QCheckBox(QStringLiteral("Apply Ramp index"), this);
    applyIndex->setObjectName("applyIndex");
    connect(applyIndex, &QCheckBox::clicked, session_, &GsmrampSession::ToggleApplyIndex);

    auto* totals = new QVBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("RAMP UP TOTAL"), this));
    totals->addWidget(upTotal_);
    totals->addWidget(new QLabel(QStringLiteral("RAMP DOWN TOTAL"), this));
    totals->addWidget(downTotal_);
    totals->addStretch(1);
    totals->addWidget(applyIndex);
    auto* row = new QHBoxLayout;
    row->addWidget(chart_);
    row->addLayout(totals);
    return row;
}

QLayout* CGsmramp::MakeSteps() {
    auto* grid = new QGridLayout;
    for (int slot = 0; slot < RampTable::kSteps; ++slot)
        grid->addWidget(new QLabel(QString::number(slot), this), 0, slot + 1, Qt::AlignCenter);
    for (const RampTable::Row row : {RampTable::Up, RampTable::Down}) {
        const int gridRow = row + 1;
        grid->addWidget(new QLabel(row == RampTable::Up ? QStringLiteral("Ramp UP")
                                                        : QStringLiteral("Ramp DOWN"),
                                   this),
                        gridRow, 0);
        for (int slot = 0; slot < RampTable::kSteps; ++slot) {
            auto* box = new RampStepBox(this);
            box->setObjectName(QStringLiteral("%1%2").arg(RowName(row)).arg(slot));
            box->setFixedWidth(kStepBoxWidth);
            connect(box, &RampStepBox::textChanged, session_,
                    [this, row, slot](const QString& t) { session_->EditRampValue(row, slot, t); });
            steps_[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)] = box;
            grid->addWidget(box, gridRow, slot + 1);
        }
    }
    return grid;
}

QLayout* CGsmramp::MakeCommandRow() {
    commandWindow_ = new QLineEdit(this);
    commandWindow_->setObjectName("commandWindow");
    commandWindow_->installEventFilter(this);
    result_ = MakeReadOnly("result", this);

    auto* row = new QGridLayout;
    row->addWidget(new QLabel(QStringLiteral("Command Window"), this), 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Result"), this), 0, 1);
    row->addWidget(commandWindow_, 1, 0);
    row->addWidget(result_, 1, 1);
    row->setColumnStretch(0, 3);
    row->setColumnStretch(1, 2);
    return row;
}

QLayout* CGsmramp::MakeButtons() {
    auto* resetEep = MakeButton(QStringLiteral("RESET EEP"), "resetEep", this);
    auto* displayWindow = MakeButton(QStringLiteral("display window "), "displayWindow", this);
    call_ = MakeButton(session_->CallCaption(), "call", this);
    auto* saveToEep = MakeButton(QStringLiteral("SAVE to EEP "), "saveToEep", this);
    auto* ok = MakeButton(QStringLiteral("OK"), "ok", this);

    connect(resetEep, &QPushButton::clicked, session_, &GsmrampSession::ResetEeprom);
    connect(displayWindow, &QPushButton::clicked, this,
            [this] { CResultdispDlg::Open(display_, this); });
    connect(call_, &QPushButton::clicked, session_, &GsmrampSession::ToggleCall);
    connect(saveToEep, &QPushButton::clicked, session_, &GsmrampSession::SaveToEeprom);
    connect(ok, &QPushButton::clicked, this, &CGsmramp::close);

    auto* row = new QHBoxLayout;
    for (QPushButton* button : {resetEep, displayWindow, call_, saveToEep})
        row->addWidget(button);
    row->addStretch(1);
    row->addWidget(ok);
    return row;
}

void CGsmramp::ConnectSession() {
    connect(session_, &GsmrampSession::resultChanged, result_, &QLineEdit::setText);
    connect(session_, &GsmrampSession::indexChanged, this, &CGsmramp::OnIndexChanged);
    connect(session_, &GsmrampSession::dacChanged, dac_, &QLineEdit::setText);
    connect(session_, &GsmrampSession::rampFilled, this, &CGsmramp::OnRampFilled);
    connect(session_, &GsmrampSession::totalsChanged, this, &CGsmramp::OnTotalsChanged);
    connect(session_, &GsmrampSession::chartFed, this, &CGsmramp::OnChartFed);
    connect(session_, &GsmrampSession::callCaptionChanged, call_, &QPushButton::setText);
    connect(session_, &GsmrampSession::replyForwarded, this, &CGsmramp::OnReplyForwarded);
}

bool CGsmramp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == commandWindow_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnCommandWindowEnter();
            return true; // the editor's own Enter handling never sees it
        }
    }
    return TargetWindow::eventFilter(watched, event);
}

void CGsmramp::OnIndexChanged(const QString& index) {
    index_->setCurrentIndex(index_->findText(index));
}

void CGsmramp::OnRampFilled(RampTable::Row row, int slot, const QString& text) {
    // The session holds the value already; the box only shows it.
    RampStepBox& box = Step(row, slot);
    const QSignalBlocker blocker(box);
    box.SetText(text);
}

void CGsmramp::OnTotalsChanged(qint64 up, qint64 down) {
    upTotal_->setText(QString::number(up));
    downTotal_->setText(QString::number(down));
}

void CGsmramp::OnChartFed(const QList<float>& heights) {
    for (const float height : heights) {
        chart_->SetValue(0, height);
        chart_->Advance();
    }
}

void CGsmramp::OnReplyForwarded(const QByteArray& unstuffed) {
    if (display_)
        display_->ShowReply(unstuffed);
}

void CGsmramp::OnCommandWindowEnter() {
    // A line that could not go out stays in the box.
    if (session_->SendCommandWindowLine(commandWindow_->text()))
        commandWindow_->clear();
}
