// The error-queue check after each call, the error query and the status texts.
#include "tests/drivers/age1960/Age1960Scripted.h"

#include <cmath>
#include <cstring>

namespace {

struct QueueEntry {
    ViInt32 code;
    std::string text;
};

QueueEntry NextError(ViSession session) {
    ViInt32 code = 1;
    ViChar text[AGE1960_MESSAGE_SIZE] = "stale";
    EXPECT_EQ(age1960_error_query(session, &code, text), VI_SUCCESS);
    return {code, text};
}

} // namespace

TEST_F(Age1960Scripted, anInstrumentErrorIsDetectedHandedOutFirstAndTheKeptErrorsAreBounded) {
    const ViSession session = Open();
    server->QueueReply(":SYST:ERR?", "-113,\"Undefined header\"");
    server->QueueReply(":SYST:ERR?", "-222,\"Data out of range\"");
    EXPECT_EQ(age1960_cmd(session, "CALL:BOGUS 1"), static_cast<ViStatus>(0xBFFC0D07u));
    EXPECT_EQ(NewLines(), (Texts{"CALL:BOGUS 1", ":SYST:ERR?", ":SYST:ERR?", ":SYST:ERR?"}));
    server->QueueReply(":SYST:ERR?", " -109 , \"Missing parameter\" ");
    EXPECT_EQ(NextError(session).code, -113);
    EXPECT_EQ(NextError(session).text, "Data out of range");
    EXPECT_TRUE(NewLines().empty()) << "kept errors need no instrument";
    EXPECT_EQ(NextError(session).code, -109);
    const QueueEntry empty = NextError(session);
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.text, "No error");
    EXPECT_EQ(age1960_cmd(session, "CALL:BAND DCS"), VI_SUCCESS) << "nothing stale is left";
    // A queue that never empties ends the check, and the kept errors are bounded.
    NewLines();
    server->SetReply(":SYST:ERR?", "-350,\"Queue overflow\"");
    EXPECT_EQ(age1960_cmd(session, "*CLS"), AGE1960_INSTR_ERROR_DETECTED);
    EXPECT_EQ(age1960_cmd(session, "*CLS"), AGE1960_INSTR_ERROR_DETECTED);
    EXPECT_EQ(NewLines().size(), 2u * (1u + 32u));
    server->SetReply(":SYST:ERR?", "0,\"No error\"");
    int kept = 0;
    while (kept < 100 && NextError(session).code == -350)
        ++kept;
    EXPECT_EQ(kept, 32);
}

TEST_F(Age1960Scripted, anErrorReplyOutOfShapeIsAnInvalidResponseNotAnError) {
    const ViSession session = Open();
    for (const char* reply : {"1", "garbage", "-113 Undefined header", "x,\"text\"", "-350,\"cut",
                              "-350,Queue", "0.5,\"half\"", "-99999999999,\"big\""}) {
        server->QueueReply(":SYST:ERR?", reply);
        EXPECT_EQ(age1960_cmd(session, "*CLS"), VI_ERROR_INV_RESPONSE) << reply;
    }
    ViInt32 code = 0;
    ViChar text[AGE1960_MESSAGE_SIZE] = {};
    server->QueueReply(":SYST:ERR?", "garbage");
    EXPECT_EQ(age1960_error_query(session, &code, text), VI_ERROR_INV_RESPONSE);
    EXPECT_EQ(age1960_error_query(session, nullptr, text), VI_ERROR_PARAMETER2);
    EXPECT_EQ(age1960_error_query(session, &code, nullptr), VI_ERROR_PARAMETER3);
}

TEST_F(Age1960Scripted, anUnansweredQueryReportsTheInstrumentsReasonOrElseTheTimeOut) {
    const ViSession session = Open();
    ASSERT_EQ(age1960_timeOut(session, 20), VI_SUCCESS);
    ViReal64 value = 0.0;
    server->QueueReply(":SYST:ERR?", "-113,\"Undefined header\"");
    EXPECT_EQ(age1960_cmdReal64_Q(session, "CALL:BOGUS?", &value), AGE1960_INSTR_ERROR_DETECTED);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(age1960_cmdReal64_Q(session, "CALL:SILENT?", &value), VI_ERROR_TMO);
    ViChar text[AGE1960_MESSAGE_SIZE] = {};
    EXPECT_EQ(age1960_error_message(session, VI_ERROR_TMO, text), VI_SUCCESS);
    EXPECT_NE(std::strstr(text, kResource), nullptr) << text;
}

TEST_F(Age1960Scripted, errorMessagesCoverTheDriverVppAndVisaCodesWithOrWithoutASession) {
    const ViSession session = Open();
    const struct {
        ViStatus status;
        const char* part;
    } cases[] = {
        {VI_SUCCESS, "No error"},
        {AGE1960_INSTR_ERROR_DETECTED, "age1960_error_query"},
        {AGE1960_ERROR_NO_VALUE, "9.91E+37"},
        {AGE1960_ERROR_NOT_CONNECTED, "not connected"},
        {VI_ERROR_PARAMETER2, "Parameter 2"},
        {static_cast<ViStatus>(0xBFFC0005u), "Parameter 5"},
        {VI_ERROR_FAIL_ID_QUERY, "8960"},
        {VI_ERROR_INV_RESPONSE, "reply"},
        {VI_ERROR_TMO, "VI_ERROR_TMO"},
        {VI_ERROR_RSRC_NFOUND, "VI_ERROR_RSRC_NFOUND"},
    };
    for (const auto& entry : cases) {
        for (ViSession s : {ViSession{VI_NULL}, session}) {
            ViChar text[AGE1960_MESSAGE_SIZE] = {};
            EXPECT_EQ(age1960_error_message(s, entry.status, text), VI_SUCCESS);
            EXPECT_NE(std::strstr(text, entry.part), nullptr) << text;
        }
    }
    ViChar text[AGE1960_MESSAGE_SIZE] = {};
    EXPECT_EQ(age1960_error_message(VI_NULL, 0x12345, text), VI_WARN_UNKNOWN_STATUS);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(age1960_error_message(session, VI_SUCCESS, nullptr), VI_ERROR_PARAMETER3);
}

TEST_F(Age1960Scripted, aLongInstrumentErrorTextIsCutToTheMessageBuffer) {
    const ViSession session = Open();
    server->QueueReply(":SYST:ERR?", "-100,\"" + QByteArray(400, 'x') + "\"");
    ASSERT_EQ(age1960_cmd(session, "*CLS"), AGE1960_INSTR_ERROR_DETECTED);
    ViChar buffers[2][AGE1960_MESSAGE_SIZE + 8];
    std::memset(buffers, '#', sizeof buffers);
    EXPECT_EQ(age1960_error_message(session, AGE1960_INSTR_ERROR_DETECTED, buffers[0]), VI_SUCCESS);
    EXPECT_NE(std::strstr(buffers[0], "(-100,\"xxx"), nullptr) << "the waiting error is named";
    ViInt32 code = 0;
    EXPECT_EQ(age1960_error_query(session, &code, buffers[1]), VI_SUCCESS);
    for (const auto& buffer : buffers) {
        EXPECT_EQ(std::strlen(buffer), AGE1960_MESSAGE_SIZE - 1u);
        EXPECT_EQ(buffer[AGE1960_MESSAGE_SIZE], '#');
    }
}
