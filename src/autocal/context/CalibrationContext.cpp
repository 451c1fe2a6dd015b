#include "CalibrationContext.h"

CalibrationContext& CalContext() {
    static CalibrationContext context;
    return context;
}
