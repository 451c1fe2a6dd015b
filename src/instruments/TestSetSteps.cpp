#include "TestSetSteps.h"

#include "TestSet.h"
#include "wt4400.h"

bool GuardSession() {
    if (TestSetOpen())
        return true;
    CalContext().instrumentFault = 1;
    return false;
}

bool Step(ViStatus status) {
    CheckTestSetStatus(TestSetSessionField(), status);
    return status >= VI_SUCCESS || TestSetOpen();
}

ViInt32 MsTxLevel() {
    const CalibrationContext& cal = CalContext();
    return cal.band == kBandDcs ? cal.powerLevel - 100 : cal.powerLevel;
}

ViStatus WriteWillLine(const char* line) {
    return wt4400_write(TestSetSessionField(), line);
}

ViStatus WriteWillLine(const char* header, int value) {
    return WriteWillLine((QByteArray(header) + QByteArray::number(value)).constData());
}

ViStatus WriteWillLine(const char* header, double value, int decimals) {
    QByteArray number = QByteArray::number(value, 'f', decimals);
    if (decimals == 0)
        number = number.rightJustified(9, ' '); // the width of "%9.0f"
    return WriteWillLine((QByteArray(header) + number).constData());
}

bool UseWillCoupling() {
    return Step(wt4400_setCoupling(TestSetSessionField(), "viable.cpl", 1)) &&
           Step(WriteWillLine(":CONF:COUP:STAT ON"));
}
