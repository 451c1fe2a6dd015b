#include "tools/ImeiRw.h"

#include "sessions/ImeiLines.h"
#include "tools/PanelWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMaxLabels = 10000;
constexpr int kMaxOffset = 600;

QSpinBox* MakeSetting(const QString& name, int maximum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, maximum);
    box->setValue(value);
    return box;
}

} // namespace

CImeiRw::CImeiRw(CComm& comm, QWidget* parent, const ImeiTimings& timings)
    : TargetWindow(QStringLiteral("IMEI R/W"), parent),
      session_(new ImeiRwSession(comm, timings, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeVersionGroup());
    layout->addWidget(MakeImeiGroup());
    auto* lower = new QHBoxLayout;
    lower->addWidget(MakeClockGroup(), 1);
    lower->addWidget(MakeRegionGroup());
    layout->addLayout(lower);
    layout->addLayout(MakeBottomRow());

    connect(session_, &ImeiRwSession::fieldsChanged, this, &CImeiRw::ShowFields);
    connect(session_, &ImeiRwSession::scanStarted, this, &CImeiRw::OnScanStarted);
    connect(session_, &ImeiRwSession::scanFinished, this, &CImeiRw::OnScanFinished);
    OnLabelSettingChanged();
    session_->ChooseRegion(regionChoice_->currentText());
    AttachSession(session_->Target(), NotConnectedNotice::Silent);
    GuardSequence(session_->Sequence());
}

QPushButton* CImeiRw::CommandButton(const QString& caption, const QString& name) {
    QPushButton* button = MakePanelButton(caption, name, this);
    commands_ << button;
    return button;
}

QLineEdit* CImeiRw::ReadBox(const QString& name) {
    QLineEdit* box = MakePanelEdit(name, this);
    box->setReadOnly(true);
    return box;
}

QGroupBox* CImeiRw::MakeVersionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Version Info"), this);
    auto* grid = new QGridLayout(group);
    hardwareVersion_ = ReadBox(QStringLiteral("hardwareVersion"));
    hardwareVersionSet_ = MakePanelEdit(QStringLiteral("hardwareVersionSet"), this);
    hardwareVersionSet_->setMaxLength(3);
    softwareVersion_ = ReadBox(QStringLiteral("softwareVersion"));
    serial_ = ReadBox(QStringLiteral("serial"));
    serialSet_ = MakePanelEdit(QStringLiteral("serialSet"), this);
    serialSet_->setMaxLength(6);
    QPushButton* readHw = CommandButton(QStringLiteral("READ"), QStringLiteral("readHardware"));
    QPushButton* setHw = CommandButton(QStringLiteral("SET"), QStringLiteral("setHardware"));
    QPushButton* readSw = CommandButton(QStringLiteral("READ"), QStringLiteral("readSoftware"));
    QPushButton* readSerial = CommandButton(QStringLiteral("READ"), QStringLiteral("readSerial"));
    QPushButton* setSerial = CommandButton(QStringLiteral("SET"), QStringLiteral("setSerial"));

    grid->addWidget(new QLabel(QStringLiteral("H/W version"), group), 0, 0);
    grid->addWidget(hardwareVersion_, 0, 1);
    grid->addWidget(readHw, 0, 2);
    grid->addWidget(hardwareVersionSet_, 0, 3);
    grid->addWidget(setHw, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("S/W version"), group), 1, 0);
    grid->addWidget(softwareVersion_, 1, 1);
    grid->addWidget(readSw, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Serial NUM"), group), 2, 0);
    grid->addWidget(serial_, 2, 1);
    grid->addWidget(readSerial, 2, 2);
    grid->addWidget(serialSet_, 2, 3);
    grid->addWidget(setSerial, 2, 4);

    connect(readHw, &QPushButton::clicked, session_, &ImeiRwSession::ReadHardwareVersion);
    connect(setHw, &QPushButton::clicked, this,
            [this] { session_->WriteHardwareVersion(hardwareVersionSet_->text()); });
    connect(readSw, &QPushButton::clicked, session_, &ImeiRwSession::ReadSoftwareVersion);
    connect(readSerial, &QPushButton::clicked, session_, &ImeiRwSession::ReadSerial);
    connect(setSerial, &QPushButton::clicked, this,
            [this] { session_->WriteSerial(serialSet_->text()); });
    return group;
}

QGroupBox* CImeiRw::MakeImeiGroup() {
    auto* group = new QGroupBox(QStringLiteral("IMEI READ"), this);
    auto* rows = new QVBoxLayout(group);
    QPushButton* read = CommandButton(QStringLiteral("Read"), QStringLiteral("readImei"));
    QPushButton* set = CommandButton(QStringLiteral("SET"), QStringLiteral("setImei"));
    rows->addLayout(MakeImeiRow(QStringLiteral("imeiRead"), &imeiRead_, read));
    rows->addLayout(MakeImeiRow(QStringLiteral("imeiSet"), &imeiSet_, set));
    for (QLineEdit* box : imeiRead_)
        box->setReadOnly(true);
    rows->addLayout(MakeLabelRow());

    auto* scanRow = new QHBoxLayout;
    scanned_ = ReadBox(QStringLiteral("scanned"));
    QPushButton* scan = CommandButton(QStringLiteral("SCAN"), QStringLiteral("scan"));
    scanRow->addWidget(scanned_, 1);
    scanRow->addWidget(scan);
    rows->addLayout(scanRow);

    connect(read, &QPushButton::clicked, session_, &ImeiRwSession::ReadImei);
    connect(set, &QPushButton::clicked, this, [this] {
        QStringList groups;
        for (const QLineEdit* box : imeiSet_)
            groups << box->text();
        session_->WriteImei(groups);
    });
    connect(scan, &QPushButton::clicked, session_, &ImeiRwSession::Scan);
    return group;
}

QLayout* CImeiRw::MakeImeiRow(const QString& prefix, QList<QLineEdit*>* boxes,
                              QPushButton* button) {
    auto* row = new QHBoxLayout;
    int index = 0;
    for (const int size : kImeiGroupSizes) {
        if (index > 0)
            row->addWidget(new QLabel(QStringLiteral("---"), this));
        QLineEdit* box = MakePanelEdit(prefix + QString::number(index++), this);
        box->setMaxLength(size);
        row->addWidget(box, size);
        boxes->append(box);
    }
    row->addWidget(button);
    return row;
}

QLayout* CImeiRw::MakeLabelRow() {
    const LabelSettings defaults;
    labelCount_ = MakeSetting(QStringLiteral("labelCount"), kMaxLabels, defaults.count, this);
    labelVertical_ =
        MakeSetting(QStringLiteral("labelVertical"), kMaxOffset, defaults.vertical, this);
    labelHorizontal_ =
        MakeSetting(QStringLiteral("labelHorizontal"), kMaxOffset, defaults.horizontal, this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("발행수량"), this));
    row->addWidget(labelCount_);
    row->addWidget(new QLabel(QStringLiteral("세로"), this));
    row->addWidget(labelVertical_);
    row->addWidget(new QLabel(QStringLiteral("가로"), this));
    row->addWidget(labelHorizontal_);
    row->addStretch(1);
    for (QSpinBox* box : {labelCount_, labelVertical_, labelHorizontal_})
        connect(box, &QSpinBox::valueChanged, this, &CImeiRw::OnLabelSettingChanged);
    return row;
}

QGroupBox* CImeiRw::MakeClockGroup() {
    auto* group = new QGroupBox(QStringLiteral("RTC SET"), this);
    auto* row = new QHBoxLayout(group);
    time_ = ReadBox(QStringLiteral("time"));
    // Room for the longest date the box shows.
    time_->setMinimumWidth(time_->fontMetrics().horizontalAdvance(
        QStringLiteral("00:00:00, Wednesday, September 30, 2000  ")));
    QPushButton* set = CommandButton(QStringLiteral("SET"), QStringLiteral("setClock"));
    row->addWidget(new QLabel(QStringLiteral("Time"), group));
    row->addWidget(time_, 1);
    row->addWidget(set);
    connect(set, &QPushButton::clicked, session_, &ImeiRwSession::SetClockFromPc);
    return group;
}

QGroupBox* CImeiRw::MakeRegionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Region SET"), this);
    auto* grid = new QGridLayout(group);
    region_ = ReadBox(QStringLiteral("region"));
    region_->setMinimumWidth(
        region_->fontMetrics().horizontalAdvance(QStringLiteral("Not Support  ")));
    regionChoice_ = new QComboBox(group);
    regionChoice_->setObjectName("regionChoice");
    regionChoice_->addItems({QStringLiteral("CH"), QStringLiteral("HK")});
    QPushButton* read = CommandButton(QStringLiteral("READ"), QStringLiteral("readRegion"));
    QPushButton* set = CommandButton(QStringLiteral("SET"), QStringLiteral("setRegion"));
    grid->addWidget(region_, 0, 0);
    grid->addWidget(read, 0, 1);
    grid->addWidget(regionChoice_, 1, 0);
    grid->addWidget(set, 1, 1);
    connect(read, &QPushButton::clicked, session_, &ImeiRwSession::ReadRegion);
    connect(regionChoice_, &QComboBox::currentTextChanged, session_, &ImeiRwSession::ChooseRegion);
    connect(set, &QPushButton::clicked, session_, &ImeiRwSession::WriteRegion);
    return group;
}

QLayout* CImeiRw::MakeBottomRow() {
    next_ = MakePanelButton(QStringLiteral("NEXT"), QStringLiteral("next"), this);
    next_->installEventFilter(this);
    QPushButton* exit = MakePanelButton(QStringLiteral("EXIT"), QStringLiteral("exit"), this);
    connect(exit, &QPushButton::clicked, this, &CImeiRw::close);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(next_);
    row->addWidget(exit);
    return row;
}

void CImeiRw::ShowFields() {
    const ImeiFields& fields = session_->Fields();
    const QStringList groups = ImeiGroups(fields.imei);
    for (int i = 0; i < imeiRead_.size(); ++i)
        imeiRead_[i]->setText(groups.value(i));
    hardwareVersion_->setText(fields.hardwareVersion);
    softwareVersion_->setText(fields.softwareVersion);
    serial_->setText(fields.serial);
    time_->setText(fields.time);
    region_->setText(fields.region);
    scanned_->setText(fields.scanned);
}

void CImeiRw::OnNext() {
    for (QLineEdit* box : imeiSet_)
        box->clear();
    hardwareVersionSet_->clear();
    serialSet_->clear();
    session_->Next();
}

void CImeiRw::OnLabelSettingChanged() {
    session_->SetLabelSettings(
        {labelCount_->value(), labelVertical_->value(), labelHorizontal_->value()});
}

void CImeiRw::OnScanStarted() {
    for (QPushButton* button : commands_)
        button->setEnabled(false);
}

void CImeiRw::OnScanFinished() {
    for (QPushButton* button : commands_)
        button->setEnabled(true);
}

bool CImeiRw::eventFilter(QObject* watched, QEvent* event) {
    // Enter on NEXT readies the window for the next phone; a click does nothing more.
    if (watched == next_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnNext();
            return true;
        }
    }
    return TargetWindow::eventFilter(watched, event);
}
