// Opening, presetting and closing the test set.
#include "InstrumentTexts.h"
#include "MessageService.h"
#include "TestSet.h"
#include "TestSetSteps.h"
#include "age1960.h"
#include "wt4400.h"

#include <QString>

namespace {

constexpr const char* k8960Resource = "GPIB0::14::INSTR";
constexpr const char* k4400Resource = "GPIB0::4";

using InitCall = ViStatus (*)(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                              ViSession* session);
using CloseCall = ViStatus (*)(ViSession session);
using ErrorText = ViStatus (*)(ViSession session, ViStatus status, ViChar text[]);

struct TestSetDriver {
    const char* resource;
    InitCall init;
    CloseCall close;
    ErrorText errorText;
};

ViStatus WillErrorText(ViSession, ViStatus status, ViChar text[]) {
    return wt4400_errorMessage(status, text);
}

constexpr TestSetDriver k8960{k8960Resource, age1960_init, age1960_close, age1960_error_message};
constexpr TestSetDriver k4400{k4400Resource, wt4400_init, wt4400_close, WillErrorText};

// The box of a failed initialisation, then the session closed (even a 0 one) and forgotten.
void ReportInitFailure(ViStatus status, const TestSetDriver& driver) {
    ViSession& session = TestSetSessionField();
    QString text = QString::fromLatin1(kInitFailedText).arg(status);
    if (session != 0) {
        ViChar message[256] = {};
        driver.errorText(session, status, message);
        text = QString::fromLatin1(kInitErrorText).arg(status).arg(QString::fromLatin1(message));
    }
    ShowMessage(text, MessageIcon::Exclamation);
    driver.close(session);
    session = 0;
}

// A session already open is closed first; ID query and reset are always asked for.
bool OpenSession(const TestSetDriver& driver) {
    ViSession& session = TestSetSessionField();
    if (session != 0)
        driver.close(session);
    session = 0;
    const ViStatus status = driver.init(driver.resource, 1, 1, &session);
    if (status < VI_SUCCESS || session == 0) {
        ReportInitFailure(status, driver);
        return false;
    }
    CalContext().stepState = kStepIdle;
    return true;
}

bool Init8960() {
    if (!OpenSession(k8960))
        return false;
    Step(age1960_cellBand(TestSetSessionField(), 1, kBandEgsm));
    return true;
}

bool Init4400() {
    if (!OpenSession(k4400))
        return false;
    const ViSession session = TestSetSessionField();
    const ViStatus modeStatus = wt4400_setMode(session, 1, 1, "", 1);
    wt4400_log(modeStatus, "WILLTEK ", "TESTER ", session);
    Step(modeStatus) && Step(wt4400_selectCallSystem(session, 1));
    return true;
}

void ForgetSubBands() {
    CalibrationContext& cal = CalContext();
    cal.stepState = kStepIdle;
    cal.gsmSubBand = 0;
    cal.dcsSubBand = 0;
}

} // namespace

bool InitTestSet() {
    if (Is8960())
        return Init8960();
    if (Is4400())
        return Init4400();
    return false;
}

void CloseTestSet() {
    ViSession& session = TestSetSessionField();
    if (session == 0)
        return;
    if (Is8960())
        age1960_close(session);
    else if (Is4400())
        wt4400_close(session);
    session = 0;
}

void PresetTestSet() {
    const ViSession session = TestSetSessionField();
    if (session == 0)
        return;
    if (Is8960())
        Step(age1960_partialPreset(session));
    else if (Is4400())
        Step(wt4400_reset(session));
    ForgetSubBands();
}

void ClearAndResetTestSet() {
    const ViSession session = TestSetSessionField();
    if (session == 0)
        return;
    if (Is8960())
        Step(age1960_dcl(session)) && Step(age1960_reset(session));
    ForgetSubBands();
}
