#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QSettings;

// Maps the ports the station speaks of (COM1 target, COM2 scanner, LPT1 label printer) to Linux
// devices or files. A mapping for this run (--port, a simulated bench's pseudo-terminals and
// printer file) wins over the one kept in the settings and is never written there; unmapped
// serial ports default to /dev/ttyS<n-1>, the classic PC serial ports, and LPTn to the USB
// printer /dev/usb/lp<n-1> when there is one, else the parallel port /dev/lp<n-1>.
class PortMap {
public:
    static PortMap& Instance();

    QString DeviceFor(int comNumber) const;
    QString PrinterDeviceFor(int lptNumber) const;
    // For this run only.
    void Set(int comNumber, const QString& device);
    void SetPrinter(int lptNumber, const QString& device);
    void Clear();

    // Takes "COMn=PATH" or "LPTn=PATH" for this run; returns false with a reason for anything
    // else.
    bool ApplyOption(const QString& option, QString* error);

    // The mappings kept in the settings.
    void Load(QSettings& settings);
    void LoadStationSettings(); // the station's own settings file
    // The operator's choice: in use from now on, and kept in settings for the next start. Only
    // this port's entry is written.
    void Keep(int comNumber, const QString& device, QSettings& settings);

    static QString PortName(int comNumber) { return QStringLiteral("COM%1").arg(comNumber); }
    static QString PrinterName(int lptNumber) { return QStringLiteral("LPT%1").arg(lptNumber); }

private:
    QString Mapped(const QString& portName) const;

    // By port name, "COM1" or "LPT1".
    QMap<QString, QString> kept_;
    QMap<QString, QString> thisRun_;
};

// The --port option that every executable takes, and its application to the process-wide map
// after the settings were loaded (the command line wins).
void AddPortOption(QCommandLineParser& parser);
bool ApplyPortOptions(const QCommandLineParser& parser, QString* error);
