#include "shell/PortSettingsDlg.h"

#include "base/StationSettings.h"
#include "link/PortMap.h"
#include "widgets/ShellLog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>

namespace {

// Serial devices a station is usually wired to: on-board ports and USB adapters.
QStringList SerialDevices() {
    const QDir dev(QStringLiteral("/dev"));
    QStringList devices;
    const QStringList patterns{QStringLiteral("ttyS[0-3]"), QStringLiteral("ttyUSB*"),
                               QStringLiteral("ttyACM*")};
    for (const QString& name : dev.entryList(patterns, QDir::System, QDir::Name))
        devices << dev.filePath(name);
    return devices;
}

} // namespace

CPortSettingsDlg::CPortSettingsDlg(QWidget* parent)
    : QDialog(parent), target_(MakeDeviceField(kTargetPort)),
      scanner_(MakeDeviceField(kScannerPort)) {
    setWindowTitle(QStringLiteral("Port Settings"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPortSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPortSettingsDlg::reject);
    connect(this, &QDialog::accepted, this, &CPortSettingsDlg::OnAccepted);

    auto* form = new QFormLayout(this);
    form->addRow(
        new QLabel(QStringLiteral("Device of each COM port, kept for the next start."), this));
    form->addRow(QStringLiteral("COM1 (target):"), target_);
    form->addRow(QStringLiteral("COM2 (scanner):"), scanner_);
    form->addRow(buttons);
    setMinimumWidth(420);
}

QComboBox& CPortSettingsDlg::DeviceField(int comNumber) {
    return comNumber == kScannerPort ? *scanner_ : *target_;
}

QComboBox* CPortSettingsDlg::MakeDeviceField(int comNumber) {
    auto* field = new QComboBox(this);
    field->setEditable(true);
    field->addItems(SerialDevices());
    field->setEditText(PortMap::Instance().DeviceFor(comNumber));
    return field;
}

void CPortSettingsDlg::Apply(QSettings& settings) {
    for (int com : {kTargetPort, kScannerPort}) {
        const QString device = DeviceField(com).currentText().trimmed();
        if (device.isEmpty() || device == PortMap::Instance().DeviceFor(com))
            continue;
        PortMap::Instance().Keep(com, device, settings);
        qCInfo(lcShell) << "port kept:" << PortMap::PortName(com) << device;
    }
}

void CPortSettingsDlg::OnAccepted() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Apply(settings);
}
