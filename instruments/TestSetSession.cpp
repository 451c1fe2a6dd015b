// Opening, presetting and closing the test set.
#include "instruments/InstrumentTexts.h"
#include "instruments/TestSet.h"

#include <QString>

TestSetOpening TestSet::InitTestSet() {
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
    Report(TestSetEvent::Preset);
}

void TestSet::ClearAndResetTestSet() {
    if (session_ == 0)
        return;
    ClearAndReset();
    Report(TestSetEvent::Preset);
}

TestSetOpening TestSet::OpenSession(const SessionDriver& driver) {
    CloseTestSet();
    const ViStatus status = driver.init(driver.resource, 1, 1, &session_);
    if (status < VI_SUCCESS || session_ == 0)
        return {false, FailedInit(status, driver)};
    ViChar identity[256] = {};
    if (driver.identity(session_, identity) >= VI_SUCCESS)
        identity_ = QString::fromLatin1(identity);
    Report(TestSetEvent::Opened);
    return {true, QString()};
}

// The text of a failed initialisation, then the session closed (even a 0 one) and forgotten.
QString TestSet::FailedInit(ViStatus status, const SessionDriver& driver) {
    QString text = QString::fromLatin1(kInitFailedText).arg(status);
    if (session_ != 0) {
        ViChar message[256] = {};
        driver.errorText(session_, status, message);
        text = QString::fromLatin1(kInitErrorText).arg(status).arg(QString::fromLatin1(message));
    }
    driver.close(session_);
    session_ = 0;
    return text;
}

void TestSet::Report(TestSetEvent event) const {
    if (report_)
        report_(event);
}
