#include "link/PortMap.h"

#include "base/StationSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <optional>

namespace {

const char* const kPortOption = "port";

struct Mapping {
    QString portName; // "COM1", "LPT1"
    QString device;
};

std::optional<Mapping> ParseMapping(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(COM|LPT)([1-9][0-9]{0,2})=(.+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Mapping{match.captured(1).toUpper() + match.captured(2), match.captured(3)};
}

} // namespace

PortMap& PortMap::Instance() {
    static PortMap map;
    return map;
}

QString PortMap::Mapped(const QString& portName) const {
    if (const auto it = thisRun_.find(portName); it != thisRun_.end())
        return it.value();
    return kept_.value(portName);
}

QString PortMap::DeviceFor(int comNumber) const {
    const QString device = Mapped(PortName(comNumber));
    return device.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(comNumber - 1) : device;
}

QString PortMap::PrinterDeviceFor(int lptNumber) const {
    const QString device = Mapped(PrinterName(lptNumber));
    if (!device.isEmpty())
        return device;
    const QString usbPrinter = QStringLiteral("/dev/usb/lp%1").arg(lptNumber - 1);
    return QFileInfo::exists(usbPrinter) ? usbPrinter
                                         : QStringLiteral("/dev/lp%1").arg(lptNumber - 1);
}

void PortMap::Set(int comNumber, const QString& device) {
    thisRun_[PortName(comNumber)] = device;
}

void PortMap::SetPrinter(int lptNumber, const QString& device) {
    thisRun_[PrinterName(lptNumber)] = device;
}

void PortMap::Clear() {
    thisRun_.clear();
    kept_.clear();
}

bool PortMap::ApplyOption(const QString& option, QString* error) {
    const std::optional<Mapping> mapping = ParseMapping(option);
    if (!mapping) {
        *error = QStringLiteral("bad port mapping \"%1\" (expected COMn=/dev/ttyXXX or "
                                "LPTn=PATH)")
                     .arg(option);
        return false;
    }
    thisRun_[mapping->portName] = mapping->device;
    return true;
}

void PortMap::Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    for (const QString& key : settings.childKeys()) {
        if (const auto mapping =
                ParseMapping(key + QLatin1Char('=') + settings.value(key).toString()))
            kept_[mapping->portName] = mapping->device;
    }
    settings.endGroup();
}

void PortMap::LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

void PortMap::Keep(int comNumber, const QString& device, QSettings& settings) {
    thisRun_.remove(PortName(comNumber));
    kept_[PortName(comNumber)] = device;
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    settings.setValue(PortName(comNumber), device);
    settings.endGroup();
}

void AddPortOption(QCommandLineParser& parser) {
    parser.addOption({QLatin1String(kPortOption),
                      QStringLiteral("Map a COM port to a device, or LPT1 to the label "
                                     "printer's device or a file, for this run, e.g. "
                                     "COM1=/dev/ttyUSB0 or LPT1=/dev/usb/lp0."),
                      QStringLiteral("PORT=PATH")});
}

bool ApplyPortOptions(const QCommandLineParser& parser, QString* error) {
    for (const QString& option : parser.values(QLatin1String(kPortOption))) {
        if (!PortMap::Instance().ApplyOption(option, error))
            return false;
    }
    return true;
}
