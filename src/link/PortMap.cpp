#include "PortMap.h"

#include "StationSettings.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QSettings>

#include <optional>

namespace {

const char* const kPortOption = "port";

struct Mapping {
    int comNumber;
    QString device;
};

std::optional<Mapping> ParseMapping(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^COM([1-9][0-9]{0,2})=(.+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Mapping{match.captured(1).toInt(), match.captured(2)};
}

} // namespace

PortMap& PortMap::Instance() {
    static PortMap map;
    return map;
}

QString PortMap::DeviceFor(int comNumber) const {
    if (const auto it = thisRun_.find(comNumber); it != thisRun_.end())
        return it.value();
    if (const auto it = kept_.find(comNumber); it != kept_.end())
        return it.value();
    return QStringLiteral("/dev/ttyS%1").arg(comNumber - 1);
}

void PortMap::Set(int comNumber, const QString& device) {
    thisRun_[comNumber] = device;
}

void PortMap::Clear() {
    thisRun_.clear();
    kept_.clear();
}

bool PortMap::ApplyOption(const QString& option, QString* error) {
    const std::optional<Mapping> mapping = ParseMapping(option);
    if (!mapping) {
        *error = QStringLiteral("bad port mapping \"%1\" (expected COMn=/dev/ttyXXX)").arg(option);
        return false;
    }
    Set(mapping->comNumber, mapping->device);
    return true;
}

void PortMap::Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    for (const QString& key : settings.childKeys()) {
        if (const auto mapping =
                ParseMapping(key + QLatin1Char('=') + settings.value(key).toString()))
            kept_[mapping->comNumber] = mapping->device;
    }
    settings.endGroup();
}

void PortMap::LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

void PortMap::Keep(int comNumber, const QString& device, QSettings& settings) {
    thisRun_.remove(comNumber);
    kept_[comNumber] = device;
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    settings.setValue(PortName(comNumber), device);
    settings.endGroup();
}

void AddPortOption(QCommandLineParser& parser) {
    parser.addOption({QLatin1String(kPortOption),
                      QStringLiteral("Map a COM port to a device for this run, e.g. "
                                     "COM1=/dev/ttyUSB0."),
                      QStringLiteral("COMn=PATH")});
}

bool ApplyPortOptions(const QCommandLineParser& parser, QString* error) {
    for (const QString& option : parser.values(QLatin1String(kPortOption))) {
        if (!PortMap::Instance().ApplyOption(option, error))
            return false;
    }
    return true;
}
