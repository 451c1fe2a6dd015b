#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QSettings;

// The settings group of the VISA layer: "Aliases" (a list of "FROM=TO") and "Library" (the path
// of a system VISA library).
inline constexpr const char* kVisaSettingsGroup = "Visa";

// Which resource a resource text really opens, and which system VISA library serves the
// resources that the built-in socket backend does not. An alias lets the fixed GPIB addresses of
// the drivers reach a LAN/GPIB gateway or the simulated bench without a change to a driver:
// "GPIB0::4=TCPIP0::127.0.0.1::5025::SOCKET".
class VisaConfig {
public:
    static VisaConfig& Instance();

    // The alias target of resource (compared without regard to case), or resource itself.
    QString Resolve(const QString& resource) const;
    void SetAlias(const QString& from, const QString& to);
    // Takes "FROM=TO"; returns false with a reason for anything else.
    bool ApplyAliasOption(const QString& option, QString* error);
    void ClearAliases() { aliases_.clear(); }
    // The alias names as they were given.
    QStringList AliasNames() const;

    // Empty: the usual library names are tried when the first resource manager opens.
    QString LibraryPath() const { return libraryPath_; }
    void SetLibraryPath(const QString& path) { libraryPath_ = path; }

    void Load(QSettings& settings);
    void LoadStationSettings(); // the station's own settings file
    void Save(QSettings& settings) const;

private:
    struct Alias {
        QString from;
        QString to;
    };
    QMap<QString, Alias> aliases_; // by upper-case name
    QString libraryPath_;
};

// The --visa-alias, --visa-library and --time-scale options that every executable takes, and their
// application after the settings were loaded (the command line wins).
void AddVisaOptions(QCommandLineParser& parser);
bool ApplyVisaOptions(const QCommandLineParser& parser, QString* error);
