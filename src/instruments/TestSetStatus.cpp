// The test set's single error path.
#include "TestSet.h"
#include "TestSetSteps.h"
#include "age1960.h"
#include "wt4400.h"

namespace {

// While a run is being stopped, the preset and close that stop it must not feed their own
// failures back: a test set that fails every call would otherwise recurse without end.
bool g_stopping = false;

// Reading the text empties the instrument's error queue; nobody is shown it.
void Clear8960(ViSession session, ViStatus status) {
    age1960_dcl(session);
    ViChar message[AGE1960_MESSAGE_SIZE] = {};
    if (status == AGE1960_INSTR_ERROR_DETECTED) {
        ViInt32 code = 0;
        age1960_error_query(session, &code, message);
    } else {
        age1960_error_message(session, status, message);
    }
}

void Clear4400(ViSession session, ViStatus status) {
    wt4400_reset(session);
    ViChar message[WT4400_MESSAGE_SIZE] = {};
    wt4400_errorMessage(status, message);
}

void StopRun() {
    CalibrationContext& cal = CalContext();
    cal.instrumentFault = 1;
    g_stopping = true;
    PresetTestSet();
    CloseTestSet();
    g_stopping = false;
    // After the preset, which leaves the idle state: the run is stopped.
    cal.stepState = kStepStopped;
    cal.lastStep = 0;
    cal.instrumentErrorCount = 0;
}

} // namespace

void CheckTestSetStatus(ViSession session, ViStatus status) {
    if (status >= VI_SUCCESS || g_stopping)
        return;
    if (Is8960())
        Clear8960(session, status);
    else if (Is4400())
        Clear4400(session, status);
    CalibrationContext& cal = CalContext();
    ++cal.instrumentErrorCount;
    if (cal.instrumentErrorCount > 1)
        StopRun();
}
