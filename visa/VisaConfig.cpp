#include "visa/VisaConfig.h"

#include "base/StationClock.h"
#include "base/StationSettings.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QSettings>

namespace {

const char* const kAliasOption = "visa-alias";
const char* const kBoardOption = "visa-board";
const char* const kLibraryOption = "visa-library";
const char* const kTimeScaleOption = "time-scale";
const char* const kAliasesKey = "Aliases";
const char* const kBoardsKey = "Boards";
const char* const kLibraryKey = "Library";

QString Key(const QString& resource) {
    return resource.trimmed().toUpper();
}

} // namespace

VisaConfig& VisaConfig::Instance() {
    static VisaConfig config;
    return config;
}

QString VisaConfig::Resolve(const QString& resource) const {
    const auto it = aliases_.find(Key(resource));
    return it == aliases_.end() ? resource.trimmed() : it->to;
}

void VisaConfig::SetAlias(const QString& from, const QString& to) {
    aliases_[Key(from)] = Alias{from.trimmed(), to.trimmed()};
}

bool VisaConfig::ApplyAliasOption(const QString& option, QString* error) {
    const qsizetype equals = option.indexOf(QLatin1Char('='));
    const QString from = option.left(equals).trimmed();
    const QString to = option.mid(equals + 1).trimmed();
    if (equals < 0 || from.isEmpty() || to.isEmpty()) {
        if (error)
            *error = QStringLiteral("bad VISA alias \"%1\" (expected FROM=TO, e.g. "
                                    "GPIB0::4=TCPIP0::127.0.0.1::5025::SOCKET)")
                         .arg(option);
        return false;
    }
    SetAlias(from, to);
    return true;
}

bool VisaConfig::ApplyBoardOption(const QString& option, QString* error) {
    static const QRegularExpression form(QStringLiteral("^\\s*GPIB(\\d*)\\s*=\\s*(\\S.*?)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(option);
    if (!match.hasMatch()) {
        if (error)
            *error = QStringLiteral("bad VISA board \"%1\" (expected GPIBn=INTERFACE, e.g. "
                                    "GPIB0=TCPIP0::gw.line3::gpib0::VXI11)")
                         .arg(option);
        return false;
    }
    boards_[match.captured(1).toInt()] = match.captured(2);
    return true;
}

QStringList VisaConfig::BoardOptions() const {
    QStringList options;
    for (auto it = boards_.begin(); it != boards_.end(); ++it)
        options.append(QStringLiteral("GPIB%1=%2").arg(it.key()).arg(it.value()));
    return options;
}

QStringList VisaConfig::AliasNames() const {
    QStringList names;
    for (const Alias& alias : aliases_)
        names.append(alias.from);
    return names;
}

void VisaConfig::LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

void VisaConfig::Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kVisaSettingsGroup));
    for (const QString& option : settings.value(QLatin1String(kAliasesKey)).toStringList()) {
        QString ignored;
        ApplyAliasOption(option, &ignored);
    }
    for (const QString& option : settings.value(QLatin1String(kBoardsKey)).toStringList()) {
        QString ignored;
        ApplyBoardOption(option, &ignored);
    }
    if (settings.contains(QLatin1String(kLibraryKey)))
        libraryPath_ = settings.value(QLatin1String(kLibraryKey)).toString();
    settings.endGroup();
}

void VisaConfig::Save(QSettings& settings) const {
    QStringList options;
    for (const Alias& alias : aliases_)
        options.append(alias.from + QLatin1Char('=') + alias.to);
    settings.beginGroup(QLatin1String(kVisaSettingsGroup));
    settings.setValue(QLatin1String(kAliasesKey), options);
    if (boards_.isEmpty())
        settings.remove(QLatin1String(kBoardsKey));
    else
        settings.setValue(QLatin1String(kBoardsKey), BoardOptions());
    settings.setValue(QLatin1String(kLibraryKey), libraryPath_);
    settings.endGroup();
}

void AddVisaOptions(QCommandLineParser& parser) {
    parser.addOption({QLatin1String(kAliasOption),
                      QStringLiteral("Open resource TO whenever resource FROM is asked for, e.g. "
                                     "GPIB0::4=TCPIP0::127.0.0.1::5025::SOCKET."),
                      QStringLiteral("FROM=TO")});
    parser.addOption({QLatin1String(kBoardOption),
                      QStringLiteral("Reach every address of GPIB board n through INTERFACE, e.g. "
                                     "GPIB0=TCPIP0::gw.line3::gpib0::VXI11."),
                      QStringLiteral("GPIBn=INTERFACE")});
    parser.addOption({QLatin1String(kLibraryOption),
                      QStringLiteral("The system VISA library for GPIB resources (default: the "
                                     "usual library names are tried)."),
                      QStringLiteral("PATH")});
    parser.addOption({QLatin1String(kTimeScaleOption),
                      QStringLiteral("Scale every instrument wait and fixed delay by FACTOR, e.g. "
                                     "0.1 on a simulated bench (default 1)."),
                      QStringLiteral("FACTOR")});
}

bool ApplyVisaOptions(const QCommandLineParser& parser, QString* error) {
    for (const QString& option : parser.values(QLatin1String(kAliasOption))) {
        if (!VisaConfig::Instance().ApplyAliasOption(option, error))
            return false;
    }
    for (const QString& option : parser.values(QLatin1String(kBoardOption))) {
        if (!VisaConfig::Instance().ApplyBoardOption(option, error))
            return false;
    }
    if (parser.isSet(QLatin1String(kLibraryOption)))
        VisaConfig::Instance().SetLibraryPath(parser.value(QLatin1String(kLibraryOption)));
    if (parser.isSet(QLatin1String(kTimeScaleOption))) {
        bool ok = false;
        const double scale = parser.value(QLatin1String(kTimeScaleOption)).toDouble(&ok);
        if (!ok || scale < 0.0 || scale > 1.0) {
            *error = QStringLiteral("--time-scale takes a factor from 0 to 1, not \"%1\"")
                         .arg(parser.value(QLatin1String(kTimeScaleOption)));
            return false;
        }
        StationClock::SetScale(scale);
    }
    return true;
}
