// Opening, presetting and closing the test set.
#include "base/MessageService.h"
#include "instruments/InstrumentTexts.h"
#include "instruments/TestSet.h"

#include <QString>

bool TestSet::InitTestSet() {
    return Open();
}

void TestSet::CloseTestSet() {
    if (session_ == 0)
        return;
    CloseSession();
    session_ = 0;
    identity_.clear();
}

void TestSet::PresetTestSet() {
    if (session_ == 0)
        return;
    Preset();
    ForgetSubBands();
}

void TestSet::ClearAndResetTestSet() {
    if (session_ == 0)
        return;
    ClearAndReset();
    ForgetSubBands();
}

bool TestSet::OpenSession(const SessionDriver& driver) {
    CloseTestSet();
    const ViStatus status = driver.init(driver.resource, 1, 1, &session_);
    if (status < VI_SUCCESS || session_ == 0) {
        ReportInitFailure(status, driver);
        return false;
    }
    ViChar identity[256] = {};
    if (driver.identity(session_, identity) >= VI_SUCCESS)
        identity_ = QString::fromLatin1(identity);
    context_.stepState = kStepIdle;
    return true;
}

// The box of a failed initialisation, then the session closed (even a 0 one) and forgotten.
void TestSet::ReportInitFailure(ViStatus status, const SessionDriver& driver) {
    QString text = QString::fromLatin1(kInitFailedText).arg(status);
    if (session_ != 0) {
        ViChar message[256] = {};
        driver.errorText(session_, status, message);
        text = QString::fromLatin1(kInitErrorText).arg(status).arg(QString::fromLatin1(message));
    }
    ShowMessage(text, MessageIcon::Exclamation);
    driver.close(session_);
    session_ = 0;
}

void TestSet::ForgetSubBands() {
    context_.stepState = kStepIdle;
    context_.gsmSubBand = 0;
    context_.dcsSubBand = 0;
}
