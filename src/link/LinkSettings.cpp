#include "LinkSettings.h"

#include "StationSettings.h"

#include <QCommandLineParser>
#include <QSettings>

#include <atomic>

namespace {

const char* const kLinkGroup = "Link";
const char* const kCommandGapKey = "CommandGapMs";
const char* const kCommandGapOption = "command-gap-ms";

std::atomic<int> g_commandGapMs{0};

} // namespace

namespace LinkSettings {

int CommandGapMs() {
    return g_commandGapMs.load();
}

void SetCommandGapMs(int ms) {
    g_commandGapMs.store(ms < 0 ? 0 : ms);
}

void Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kLinkGroup));
    bool ok = false;
    const int gap = settings.value(QLatin1String(kCommandGapKey), kStationCommandGapMs).toInt(&ok);
    SetCommandGapMs(ok ? gap : kStationCommandGapMs);
    settings.endGroup();
}

void LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

} // namespace LinkSettings

void AddLinkOptions(QCommandLineParser& parser) {
    parser.addOption({QLatin1String(kCommandGapOption),
                      QStringLiteral("The least time between two commands to the target in "
                                     "milliseconds (default 50; 0 on a simulated bench)."),
                      QStringLiteral("MS")});
}

bool ApplyLinkOptions(const QCommandLineParser& parser, QString* error) {
    if (!parser.isSet(QLatin1String(kCommandGapOption)))
        return true;
    bool ok = false;
    const int gap = parser.value(QLatin1String(kCommandGapOption)).toInt(&ok);
    if (!ok || gap < 0) {
        *error = QStringLiteral("bad --command-gap-ms value \"%1\"")
                     .arg(parser.value(QLatin1String(kCommandGapOption)));
        return false;
    }
    LinkSettings::SetCommandGapMs(gap);
    return true;
}
