#include "PortMap.h"

#include "StationSettings.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QSettings>

namespace {
const char* const kPortOption = "port";
}

PortMap& PortMap::Instance() {
    static PortMap map;
    return map;
}

QString PortMap::DeviceFor(int comNumber) const {
    auto it = devices_.find(comNumber);
    if (it != devices_.end())
        return it.value();
    return QStringLiteral("/dev/ttyS%1").arg(comNumber - 1);
}

void PortMap::Set(int comNumber, const QString& device) {
    devices_[comNumber] = device;
}

bool PortMap::ApplyOption(const QString& option, QString* error) {
    static const QRegularExpression pattern(QStringLiteral("^COM([1-9][0-9]{0,2})=(.+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(option);
    if (!match.hasMatch()) {
        if (error)
            *error =
                QStringLiteral("bad port mapping \"%1\" (expected COMn=/dev/ttyXXX)").arg(option);
        return false;
    }
    Set(match.captured(1).toInt(), match.captured(2));
    return true;
}

void PortMap::Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    for (const QString& key : settings.childKeys()) {
        QString ignored;
        ApplyOption(key + QLatin1Char('=') + settings.value(key).toString(), &ignored);
    }
    settings.endGroup();
}

void PortMap::LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

void PortMap::Save(QSettings& settings) const {
    settings.beginGroup(QLatin1String(kSettingsPortsGroup));
    settings.remove(QString());
    for (auto it = devices_.begin(); it != devices_.end(); ++it)
        settings.setValue(PortName(it.key()), it.value());
    settings.endGroup();
}

void AddPortOption(QCommandLineParser& parser) {
    parser.addOption({QLatin1String(kPortOption),
                      QStringLiteral("Map a COM port to a device, e.g. COM1=/dev/ttyUSB0."),
                      QStringLiteral("COMn=PATH")});
}

bool ApplyPortOptions(const QCommandLineParser& parser, QString* error) {
    for (const QString& option : parser.values(QLatin1String(kPortOption))) {
        if (!PortMap::Instance().ApplyOption(option, error))
            return false;
    }
    return true;
}
