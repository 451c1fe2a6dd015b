#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QSettings;

// The settings group of the VISA layer: "Aliases" (a list of "FROM=TO"), "Boards" (a list of
// "GPIBn=INTERFACE") and "Library" (the path of a system VISA library).
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

    // A whole GPIB board on one interface, so that every GPIBn::N on it is reached without an
    // alias: "GPIB0=TCPIP0::gw.line3::gpib0::VXI11".
    QString Board(int board) const { return boards_.value(board); }
    // Takes "GPIBn=INTERFACE"; returns false with a reason for anything else.
    bool ApplyBoardOption(const QString& option, QString* error);
    void ClearBoards() { boards_.clear(); }
    // "GPIB0=TCPIP0::gw::gpib0::VXI11" for every mapped board.
    QStringList BoardOptions() const;

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
    QMap<int, QString> boards_;    // by board number
    QString libraryPath_;
};

// The --visa-alias, --visa-board, --visa-library and --time-scale options that every executable
// takes, and their application after the settings were loaded (the command line wins).
void AddVisaOptions(QCommandLineParser& parser);
bool ApplyVisaOptions(const QCommandLineParser& parser, QString* error);
