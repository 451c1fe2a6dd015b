#pragma once

#include <QLoggingCategory>

// rftune.visa: sessions opened and closed, and every failure with the resource it concerns;
// rftune.visa.trace: every line written to and read from an instrument (off by default).
Q_DECLARE_LOGGING_CATEGORY(lcVisa)
Q_DECLARE_LOGGING_CATEGORY(lcVisaTrace)
