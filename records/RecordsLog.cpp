#include "records/RecordsLog.h"

Q_LOGGING_CATEGORY(lcRecords, "rftune.records")
