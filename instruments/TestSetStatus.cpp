// The test set's single error path.
#include "instruments/TestSet.h"

void TestSet::CheckTestSetStatus(ViSession session, ViStatus status) {
    if (status >= VI_SUCCESS || stopping_)
        return;
    ClearAfterFailure(session, status);
    ++context_.instrumentErrorCount;
    if (context_.instrumentErrorCount > 1)
        StopRun();
}

bool TestSet::Step(ViStatus status) {
    CheckTestSetStatus(session_, status);
    return status >= VI_SUCCESS || session_ != 0;
}

bool TestSet::Succeeded(ViStatus status) {
    CheckTestSetStatus(session_, status);
    return status >= VI_SUCCESS;
}

void TestSet::StopRun() {
    context_.instrumentFault = 1;
    stopping_ = true;
    PresetTestSet();
    CloseTestSet();
    stopping_ = false;
    // After the preset's report: the run is stopped, not idle.
    Report(TestSetEvent::RunStopped);
    context_.instrumentErrorCount = 0;
}
