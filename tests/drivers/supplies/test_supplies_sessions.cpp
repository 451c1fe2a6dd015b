// Opening and closing sessions, identities, failures and the status texts.
#include "tests/drivers/supplies/SupplyPeer.h"
#include "visa/VisaRegistry.h"

#include <cstring>

namespace {

using SupplySessions = SupplyPeer;

constexpr ViStatus kInstrumentError = static_cast<ViStatus>(0xBFFC0D07u);

TEST_F(SupplySessions, theIdentityMustNameTheModelWhoeverMadeIt) {
    const struct {
        SupplyModel model;
        const char* identity;
        bool accepted;
    } cases[] = {
        {SupplyModel::k66311B, "Agilent Technologies,66311B,MY12345678,A.02.02", true},
        {SupplyModel::kE3631A, "Keysight Technologies,E3631A,0,3.0-5.0-1.0", true},
        {SupplyModel::kE3632A, "HEWLETT-PACKARD,E3633A,0,1.7-5.0-1.0", true},
        {SupplyModel::kE3632A, "HEWLETT-PACKARD,E3631A,0,2.1-5.0-1.0", false},
        {SupplyModel::kE3631A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0", false},
        {SupplyModel::k66311B, "HEWLETT-PACKARD,6632B,0,A.01.05", false},
        {SupplyModel::kE3632A, "", false},
    };
    for (const auto& c : cases) {
        server->SetReply("*IDN?", c.identity);
        ViSession session = 99;
        const ViStatus status = supply_init(c.model, "GPIB::5::INSTR", 1, 1, &session);
        if (c.accepted) {
            EXPECT_EQ(status, VI_SUCCESS) << c.identity;
            Sent(session);
            EXPECT_EQ(supply_close(session), VI_SUCCESS);
            continue;
        }
        EXPECT_EQ(status, VI_ERROR_FAIL_ID_QUERY) << c.identity;
        EXPECT_EQ(session, VI_NULL);
        EXPECT_EQ(VisaRegistry::Instance().Count(), 0) << c.identity;
    }
    // Without the query nothing is checked, and without the reset only the status is cleared;
    // the refused ones before sent nothing after their query.
    ViSession session = VI_NULL;
    ASSERT_EQ(supply_init(SupplyModel::k66311B, "GPIB::5::INSTR", 0, 0, &session), VI_SUCCESS);
    EXPECT_EQ(Sent(session), (Texts{"*IDN?", "*IDN?", "*IDN?", "*IDN?", "*CLS", "SYST:ERR?"}));
    EXPECT_EQ(supply_close(session), VI_SUCCESS);
}

TEST_F(SupplySessions, badArgumentsAndUnreachableResourcesLeaveNothingOpen) {
    ViSession session = 99;
    const char* resource = "GPIB::5::INSTR";
    EXPECT_EQ(supply_init(static_cast<SupplyModel>(9), resource, 1, 1, &session),
              VI_ERROR_PARAMETER1);
    EXPECT_EQ(session, VI_NULL);
    EXPECT_EQ(supply_init(SupplyModel::kE3632A, nullptr, 1, 1, &session), VI_ERROR_PARAMETER2);
    EXPECT_EQ(supply_init(SupplyModel::kE3632A, resource, 2, 1, &session), VI_ERROR_PARAMETER3);
    EXPECT_EQ(supply_init(SupplyModel::kE3632A, resource, 1, -1, &session), VI_ERROR_PARAMETER4);
    EXPECT_EQ(supply_init(SupplyModel::kE3632A, resource, 1, 1, nullptr),
              static_cast<ViStatus>(0xBFFC0005u));
    EXPECT_TRUE(server->Lines().isEmpty());
    EXPECT_EQ(supply_init(SupplyModel::kE3632A, "TCPIP0::127.0.0.1::1::SOCKET", 1, 1, &session),
              VI_ERROR_MACHINE_NAVAIL);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
}

TEST_F(SupplySessions, anUnknownOrClosedSessionIsRefusedByEveryCall) {
    const ViSession closed = Open(SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0");
    ASSERT_EQ(supply_close(closed), VI_SUCCESS);
    ViReal64 amps = 0.0;
    ViInt32 code = 0;
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    for (ViSession s : {ViSession{0}, closed, ViSession{424242}}) {
        EXPECT_EQ(supply_close(s), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_outputVoltCurr(s, 3.8, 3.0), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_setVoltage(s, 1, 3.8), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_setCurrent(s, 1, 3.0), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_outputOn(s, 1), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_dcl(s), VI_ERROR_INV_SESSION);
        EXPECT_EQ(supply_error_query(s, &code, message), VI_ERROR_INV_SESSION);
    }
    EXPECT_EQ(supply_error_message(0, VI_ERROR_TMO, message), VI_SUCCESS);
    EXPECT_EQ(supply_error_message(424242, VI_ERROR_TMO, message), VI_ERROR_INV_SESSION);
}

TEST_F(SupplySessions, twoSessionsKeepTheirOwnModelAndErrors) {
    const ViSession hp = Open(SupplyModel::k66311B, "HEWLETT-PACKARD,66311B,0,A.02.02");
    const ViSession e =
        Open(SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2", "GPIB::6::INSTR");
    server->QueueReply("SYST:ERR?", "-222,\"Data out of range\"");
    EXPECT_EQ(supply_setVoltage(e, 1, 40.0), kInstrumentError);
    EXPECT_EQ(supply_setVoltage(hp, 1, 3.8), SUPPLY_ERROR_NOT_SUPPORTED);
    ViInt32 code = 1;
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    EXPECT_EQ(supply_error_query(hp, &code, message), VI_SUCCESS);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(supply_error_query(e, &code, message), VI_SUCCESS);
    EXPECT_EQ(code, -222);
    EXPECT_EQ(supply_dcl(e), VI_SUCCESS);
}

TEST_F(SupplySessions, errorTextsAreCutToTheBufferAndQuotedQuotesUndoubled) {
    const ViSession s = Open(SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0");
    ViInt32 code = 0;
    ViChar message[SUPPLY_MESSAGE_SIZE + 1] = {};
    message[SUPPLY_MESSAGE_SIZE] = '#';
    server->QueueReply("SYST:ERR?", "-350,\"" + QByteArray(400, 'x') + "\"");
    server->QueueReply("SYST:ERR?", "-100,\"Say \"\"hi\"\"\"");
    EXPECT_EQ(supply_outputOn(s, 1), kInstrumentError);
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_EQ(std::strlen(message), SUPPLY_MESSAGE_SIZE - 1u);
    EXPECT_EQ(message[SUPPLY_MESSAGE_SIZE], '#');
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_STREQ(message, "Say \"hi\"");
    server->QueueReply("SYST:ERR?", "-350,\"Queue overfl"); // a text cut short is still one
    EXPECT_EQ(supply_outputOn(s, 1), kInstrumentError);
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_STREQ(message, "Queue overfl");
    server->QueueReply("SYST:ERR?", "+0");
    EXPECT_EQ(supply_outputOn(s, 1), VI_SUCCESS) << "an entry without its text";
    server->QueueReply("SYST:ERR?", "no entry");
    EXPECT_EQ(supply_outputOn(s, 1), VI_ERROR_INV_RESPONSE);
}

TEST_F(SupplySessions, aSilentInstrumentTimesOutAndTheMessageNamesTheResource) {
    const ViSession s = Open(SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0");
    ASSERT_EQ(viSetAttribute(s, VI_ATTR_TMO_VALUE, 50), VI_SUCCESS);
    ViReal64 amps = 0.0;
    EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_ERROR_TMO);
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    EXPECT_EQ(supply_error_message(s, VI_ERROR_TMO, message), VI_SUCCESS);
    EXPECT_NE(std::strstr(message, "GPIB::5::INSTR"), nullptr) << message;
    // An instrument that queues an error instead of answering is reported as such.
    server->QueueReply("SYST:ERR?", "-113,\"Undefined header\"");
    EXPECT_EQ(supply_measureCurrent(s, 1, &amps), kInstrumentError);
}

TEST_F(SupplySessions, everyStatusHasATextWithinTheBuffer) {
    ViChar message[SUPPLY_MESSAGE_SIZE + 1];
    for (ViStatus status :
         {kInstrumentError, SUPPLY_ERROR_NOT_SUPPORTED, VI_ERROR_PARAMETER2, VI_ERROR_FAIL_ID_QUERY,
          VI_ERROR_INV_RESPONSE, VI_ERROR_TMO, VI_ERROR_CONN_LOST, VI_SUCCESS}) {
        std::memset(message, '#', sizeof message);
        EXPECT_EQ(supply_error_message(VI_NULL, status, message), VI_SUCCESS) << status;
        EXPECT_GT(std::strlen(message), 0u) << status;
        EXPECT_EQ(message[SUPPLY_MESSAGE_SIZE], '#') << status;
    }
    EXPECT_EQ(supply_error_message(VI_NULL, 0x12345, message), VI_WARN_UNKNOWN_STATUS);
    EXPECT_NE(std::strstr(message, "12345"), nullptr) << message;
}

} // namespace
