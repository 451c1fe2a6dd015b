#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QSettings;

// Maps the COM numbers the station speaks of (COM1 target, COM2 scanner) to Linux devices.
// Unmapped ports default to /dev/ttyS<n-1>, the classic PC serial ports.
class PortMap {
public:
    static PortMap& Instance();

    QString DeviceFor(int comNumber) const;
    void Set(int comNumber, const QString& device);
    void Clear() { devices_.clear(); }
    QMap<int, QString> Entries() const { return devices_; }

    // Takes "COMn=PATH"; returns false with a reason for anything else.
    bool ApplyOption(const QString& option, QString* error);

    void Load(QSettings& settings);
    void LoadStationSettings(); // the station's own settings file
    void Save(QSettings& settings) const;

    static QString PortName(int comNumber) { return QStringLiteral("COM%1").arg(comNumber); }

private:
    QMap<int, QString> devices_;
};

// The --port option that every executable takes, and its application to the process-wide map
// after the settings were loaded (the command line wins).
void AddPortOption(QCommandLineParser& parser);
bool ApplyPortOptions(const QCommandLineParser& parser, QString* error);
