#include "autocal/window/EngineerControls.h"

#include "base/StationSettings.h"

#include <QSettings>

bool EngineerControlsSetting() {
    const QSettings settings{QLatin1String(kSettingsOrganization),
                             QLatin1String(kSettingsApplication)};
    return settings.value(QStringLiteral("AutoCal/EngineerControls"), false).toBool();
}
