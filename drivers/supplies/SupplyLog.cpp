#include "drivers/supplies/SupplyLog.h"

Q_LOGGING_CATEGORY(lcSupplies, "rftune.supplies", QtWarningMsg)
