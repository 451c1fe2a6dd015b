#include "autocal/AutocalSettings.h"

#include "base/StationSettings.h"

#include <QSettings>

int MaxRepeatsSetting(int programDefault) {
    const QSettings settings{QLatin1String(kSettingsOrganization),
                             QLatin1String(kSettingsApplication)};
    bool ok = false;
    const int repeats = settings.value(QStringLiteral("AutoCal/MaxRepeats")).toInt(&ok);
    return ok && repeats >= 0 ? repeats : programDefault;
}
