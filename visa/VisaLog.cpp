#include "visa/VisaLog.h"

Q_LOGGING_CATEGORY(lcVisa, "rftune.visa", QtWarningMsg)
Q_LOGGING_CATEGORY(lcVisaTrace, "rftune.visa.trace", QtWarningMsg)
