#include "widgets/ShellLog.h"

Q_LOGGING_CATEGORY(lcShell, "rftune.shell", QtWarningMsg)
