#pragma once

#include <QLoggingCategory>

// rftune.shell: the station's windows (start-up, port commands, tool windows).
Q_DECLARE_LOGGING_CATEGORY(lcShell)
