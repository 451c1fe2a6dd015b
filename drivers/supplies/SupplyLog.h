#pragma once

#include <QLoggingCategory>

// rftune.supplies: failures as warnings; every SCPI line written and read as debug (off by
// default).
Q_DECLARE_LOGGING_CATEGORY(lcSupplies)
