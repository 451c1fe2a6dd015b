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

using ErrorText = ViStatus (*)(ViSession session, ViStatus status, ViChar text[]);
using CloseCall = ViStatus (*)(ViSession session);

ViStatus WillErrorText(ViSession, ViStatus status, ViChar text[]) {
    return wt4400_errorMessage(status, text);
}

// The box of a failed initialisation, then the session closed (even a 0 one) and forgotten.
void ReportInitFailure(ViStatus status, ErrorText errorText, CloseCall close) {
    ViSession& session = TestSetSessionField();
    QString text = QString::fromLatin1(kInitFailedText).arg(status);
    if (session != 0) {
        ViChar message[256] = {};
        errorText(session, status, message);
        text = QString::fromLatin1(kInitErrorText).arg(status).arg(QString::fromLatin1(message));
    }
    ShowMessage(text, MessageIcon::Exclamation);
    close(session);
    session = 0;
}

bool Init8960() {
    ViSession& session = TestSetSessionField();
    if (session != 0)
        age1960_close(session);
    session = 0;
    const ViStatus status = age1960_init(k8960Resource, 1, 1, &session);
    if (status < VI_SUCCESS || session == 0) {
        ReportInitFailure(status, age1960_error_message, age1960_close);
        return false;
    }
    CalContext().stepState = kStepIdle;
    Step(age1960_cellBand(session, 1, kBandEgsm));
    return true;
}

bool Init4400() {
    ViSession& session = TestSetSessionField();
    if (session != 0)
        wt4400_close(session);
    session = 0;
    const ViStatus status = wt4400_init(k4400Resource, 1, 1, &session);
    if (status < VI_SUCCESS || session == 0) {
        ReportInitFailure(status, WillErrorText, wt4400_close);
        return false;
    }
    CalContext().stepState = kStepIdle;
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
