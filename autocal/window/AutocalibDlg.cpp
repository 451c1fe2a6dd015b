#include "autocal/window/AutocalibDlg.h"

#include "autocal/CalibrationEngine.h"
#include "autocal/window/AutocalSession.h"
#include "autocal/window/CalibrationBanner.h"
#include "autocal/window/ResultPanel.h"
#include "autocal/window/StatusLine.h"
#include "base/MessageService.h"
#include "records/RecordWriter.h"
#include "widgets/ChannelFollower.h"
#include "widgets/Label.h"
#include "widgets/OkfaildispDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

const char* const kTitle = "RF Calibration QM310QT310 V1.4";
constexpr int kRfCalibrationMode = 1; // "RF CALIBRATION" in the mode combo
constexpr int kStatusHeight = 64;
constexpr int kStartHeight = 56;

// The controls an engineer's station enables, by object name.
const char* const kEngineerControls[] = {"batteryCal", "clear",        "mode", "eepFullReset",
                                         "exit",       "batteryValue", "clock"};

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter in "Phone name" must not start anything.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeReadOnlyEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus); // a value to copy, not a place to type
    return edit;
}

QLabel* MakeCheckResult(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(64);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void ShowCheckResult(QLabel& label, bool ok) {
    const QString text = ok ? QStringLiteral("OK") : QStringLiteral("FAIL");
    if (label.text() == text)
        return; // every reply of a run says "OK" again
    label.setText(text);
    label.setStyleSheet(ok ? QStringLiteral("color: rgb(0, 128, 0);")
                           : QStringLiteral("color: rgb(200, 0, 0);"));
}

} // namespace

CAutocalibDlg::CAutocalibDlg(CComm& comm, RfConfiguration& configuration, EndingStations& ending,
                             QWidget* parent)
    : TargetWindow(QString::fromLatin1(kTitle), parent),
      session_(new AutocalSession(comm, configuration, ending, this)),
      results_(new ResultPanel(this)), status_(new CLabel(this)), progress_(new QProgressBar(this)),
      elapsed_(new QLabel(this)), instrumentResult_(MakeCheckResult("instrumentResult", this)),
      targetResult_(MakeCheckResult("targetResult", this)) {
    auto* middle = new QHBoxLayout;
    middle->addWidget(results_);
    middle->addWidget(MakeSideColumn(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CalibrationBanner(this));
    layout->addWidget(MakeHeaderRow());
    layout->addLayout(middle, 1);
    layout->addWidget(MakeStatusRows());

    ShowCheckResult(*instrumentResult_, false);
    ShowCheckResult(*targetResult_, false);
    StatusLine::Show(*status_, QString(), StatusStyle::Reset);
    EnableEngineerControls(false);
    ConnectButtons();
    ConnectEngine();
    SendHeader();
    // The engine's session is the channel's receiver now and whenever the window is pointed at;
    // it tells the operator of a closed port in its own words.
    follower_ = new ChannelFollower(*this, session_->Target());
    connect(session_, &AutocalSession::stopped, this, &QWidget::close);
    name_->setFocus(); // the one thing the operator types
}

QWidget* CAutocalibDlg::MakeHeaderRow() {
    auto* row = new QWidget(this);
    model_ = new QComboBox(row);
    model_->setObjectName("model");
    model_->setEditable(true);
    model_->addItem(QStringLiteral("QM310/QT310"));
    stage_ = new QComboBox(row);
    stage_->setObjectName("stage");
    stage_->setEditable(true);
    stage_->addItems({"DVT1", "DVT2", "DVT3", "MVT1", "MVT2", "MP"});
    stage_->setCurrentText(QStringLiteral("MP"));
    name_ = new QLineEdit(row);
    name_->setObjectName("name");
    mode_ = new QComboBox(row);
    mode_->setObjectName("mode");
    mode_->addItems({"BOARD CALIBRATION", "RF CALIBRATION"});
    mode_->setCurrentIndex(kRfCalibrationMode);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("MODEL"), row));
    layout->addWidget(model_);
    layout->addWidget(new QLabel(QStringLiteral("Phone Stage"), row));
    layout->addWidget(stage_);
    layout->addWidget(new QLabel(QStringLiteral("Phone name"), row));
    layout->addWidget(name_, 1);
    layout->addWidget(mode_);
    return row;
}

QWidget* CAutocalibDlg::MakeSideColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeGmagicGroup());
    layout->addWidget(MakeBatteryGroup());
    layout->addWidget(MakeChecks());
    layout->addStretch(1);
    layout->addWidget(MakeRunButtons());
    return column;
}

QWidget* CAutocalibDlg::MakeGmagicGroup() {
    auto* group = new QGroupBox(QStringLiteral("GMAGIC"), this);
    gmagicGsm_ = MakeReadOnlyEdit("gmagicGsm", group);
    gmagicDcs_ = MakeReadOnlyEdit("gmagicDcs", group);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(new QLabel(QStringLiteral("GSM"), group));
    layout->addWidget(gmagicGsm_);
    layout->addWidget(new QLabel(QStringLiteral("DCS"), group));
    layout->addWidget(gmagicDcs_);
    return group;
}

QWidget* CAutocalibDlg::MakeBatteryGroup() {
    auto* group = new QGroupBox(QStringLiteral("BATTERY"), this);
    battery_ = MakeReadOnlyEdit("batteryValue", group);
    clock_ = MakeReadOnlyEdit("clock", group);
    auto* layout = new QGridLayout(group);
    layout->addWidget(new QLabel(QStringLiteral("Battery value"), group), 0, 0);
    layout->addWidget(battery_, 0, 1);
    layout->addWidget(clock_, 1, 0, 1, 2);
    layout->addWidget(MakeButton(QStringLiteral("Battery CAL"), "batteryCal", group), 2, 0);
    layout->addWidget(MakeButton(QStringLiteral("CLEAR"), "clear", group), 2, 1);
    return group;
}

QWidget* CAutocalibDlg::MakeChecks() {
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeButton(QStringLiteral("Instrument Check"), "instrumentCheck", box), 0, 0);
    layout->addWidget(instrumentResult_, 0, 1);
    layout->addWidget(MakeButton(QStringLiteral("Target Check"), "targetCheck", box), 1, 0);
    layout->addWidget(targetResult_, 1, 1);
    layout->addWidget(MakeButton(QStringLiteral("EEP FULL RESET"), "eepFullReset", box), 2, 0);
    layout->addWidget(MakeButton(QStringLiteral("EXIT"), "exit", box), 2, 1);
    return box;
}

QWidget* CAutocalibDlg::MakeRunButtons() {
    auto* box = new QWidget(this);
    QPushButton* start = MakeButton(QStringLiteral("AUTO CAL START"), "start", box);
    QPushButton* stop = MakeButton(QStringLiteral("STOP"), "stop", box);
    QFont big = start->font();
    big.setPixelSize(20);
    big.setBold(true);
    start->setFont(big);
    stop->setFont(big);
    start->setMinimumHeight(kStartHeight);
    stop->setMinimumHeight(kStartHeight);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(start, 2);
    layout->addWidget(stop, 1);
    return box;
}

QWidget* CAutocalibDlg::MakeStatusRows() {
    auto* box = new QWidget(this);
    status_->setObjectName("status");
    status_->setAlignment(Qt::AlignCenter);
    status_->setMinimumHeight(kStatusHeight);
    status_->SetSunken(true);
    progress_->setObjectName("progress");
    progress_->setRange(0, CalibrationEngine::kProgressMax);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    elapsed_->setObjectName("elapsed");
    elapsed_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    elapsed_->setAlignment(Qt::AlignCenter);
    elapsed_->setMinimumWidth(80);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(new QLabel(QStringLiteral("elapsed time"), box));
    progressRow->addWidget(elapsed_);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_);
    layout->addLayout(progressRow);
    return box;
}

QPushButton& CAutocalibDlg::Button(const char* name) const {
    return *findChild<QPushButton*>(QLatin1String(name));
}

void CAutocalibDlg::EnableEngineerControls(bool on) {
    for (const char* name : kEngineerControls)
        findChild<QWidget*>(QLatin1String(name))->setEnabled(on);
}

void CAutocalibDlg::FillHeader(const ResultHeader& header) {
    model_->setCurrentText(header.model);
    stage_->setCurrentText(header.stage);
    name_->setText(header.name);
}

void CAutocalibDlg::keyPressEvent(QKeyEvent* event) {
    // Escape would close the station's window, and a run with it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TargetWindow::keyPressEvent(event);
}

void CAutocalibDlg::closeEvent(QCloseEvent* event) {
    // The engine may sit in a fixed delay or a blocking instrument call: the window waits for its
    // stop without blocking, and goes once the run has ended the safe way.
    if (!session_->HasStopped()) {
        event->ignore();
        // The engine's session goes with the engine, on its own thread: nobody registers it
        // from here again.
        delete std::exchange(follower_, nullptr);
        session_->Leave();
        return;
    }
    TargetWindow::closeEvent(event);
}

void CAutocalibDlg::ConnectButtons() {
    AutocalSession* session = session_;
    connect(&Button("instrumentCheck"), &QPushButton::clicked, session,
            &AutocalSession::InstrumentCheck);
    connect(&Button("targetCheck"), &QPushButton::clicked, session, &AutocalSession::TargetCheck);
    connect(&Button("start"), &QPushButton::clicked, session, &AutocalSession::StartAutoCal);
    connect(&Button("stop"), &QPushButton::clicked, session, &AutocalSession::Stop);
    connect(&Button("batteryCal"), &QPushButton::clicked, session, &AutocalSession::StartBoardCal);
    connect(&Button("eepFullReset"), &QPushButton::clicked, session, &AutocalSession::EepFullReset);
    connect(&Button("clear"), &QPushButton::clicked, this, &CAutocalibDlg::ClearBatteryEdits);
    connect(&Button("exit"), &QPushButton::clicked, this, &CAutocalibDlg::close);
    connect(mode_, &QComboBox::currentIndexChanged, session,
            [session](int index) { session->SetRfMode(index == kRfCalibrationMode); });
    // The result file's header names what the fields say when a block is written.
    connect(model_, &QComboBox::currentTextChanged, this, &CAutocalibDlg::SendHeader);
    connect(stage_, &QComboBox::currentTextChanged, this, &CAutocalibDlg::SendHeader);
    connect(name_, &QLineEdit::textChanged, this, &CAutocalibDlg::SendHeader);
}

void CAutocalibDlg::ConnectEngine() {
    CalibrationEngine* engine = &session_->Engine();
    connect(engine, &CalibrationEngine::statusShown, this, &CAutocalibDlg::OnStatus);
    connect(engine, &CalibrationEngine::progressShown, this, &CAutocalibDlg::OnProgress);
    connect(engine, &CalibrationEngine::instrumentCheckShown, this,
            [this](bool ok) { ShowCheckResult(*instrumentResult_, ok); });
    connect(engine, &CalibrationEngine::targetCheckShown, this,
            [this](bool ok) { ShowCheckResult(*targetResult_, ok); });
    connect(engine, &CalibrationEngine::resultListsCleared, results_, &ResultPanel::Clear);
    connect(engine, &CalibrationEngine::resultsShown, this, &CAutocalibDlg::OnResultsShown);
    connect(engine, &CalibrationEngine::elapsedTimeShown, elapsed_, &QLabel::setText);
    connect(engine, &CalibrationEngine::okFailShown, this, &CAutocalibDlg::OnOkFail);
    connect(engine, &CalibrationEngine::batteryEditsCleared, this,
            &CAutocalibDlg::ClearBatteryEdits);
    connect(engine, &CalibrationEngine::clockShown, clock_, &QLineEdit::setText);
    connect(engine, &CalibrationEngine::noticeShown, this,
            [](const QString& text) { ShowMessage(text, MessageIcon::Exclamation); });
    connect(engine, &CalibrationEngine::testSetInitFailed, this,
            [](const QString& text) { ShowMessage(text, MessageIcon::Exclamation); });
    connect(&session_->Records(), &RecordWriter::noticeShown, this,
            [](const QString& text) { ShowMessage(text, MessageIcon::Exclamation); });
}

void CAutocalibDlg::SendHeader() {
    session_->SetResultHeader({model_->currentText(), stage_->currentText(), name_->text()});
}

void CAutocalibDlg::OnStatus(const QString& text, StatusStyle style) {
    StatusLine::Show(*status_, text, style);
}

void CAutocalibDlg::OnProgress(int position) {
    // The count may pass the end by a step before it starts again.
    progress_->setValue(std::min(position, progress_->maximum()));
}

void CAutocalibDlg::OnResultsShown(int calibration, const CalibrationResults& results) {
    const auto shown = static_cast<ActiveCalibration>(calibration);
    results_->Show(shown, results);
    if (shown == CAL_GMAGIC) {
        gmagicGsm_->setText(QString::number(results.gsmGmagic));
        gmagicDcs_->setText(QString::number(results.dcsGmagic));
    } else if (shown == CAL_BOARD) {
        battery_->setText(QString::number(results.battery));
    }
}

void CAutocalibDlg::OnOkFail(const QString& text) {
    auto* popup = new COkfaildispDlg(text, this);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setObjectName("okFail");
    // The engine goes on with what follows the popup once the operator has closed it.
    connect(popup, &QDialog::finished, session_, &AutocalSession::AcknowledgeOkFail);
    popup_ = popup;
    popup->open();
}

void CAutocalibDlg::ClearBatteryEdits() {
    battery_->clear();
    clock_->clear();
}
