#pragma once

#include <QLoggingCategory>

// rftune.records: records kept in the spool and why, and spool files set aside.
Q_DECLARE_LOGGING_CATEGORY(lcRecords)
