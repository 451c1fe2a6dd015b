// Each model's lines for each role, over the command table of the driver.
#include "tests/drivers/supplies/SupplyPeer.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

// A role that sends line answers its error-queue check; none listed: the model lacks it.
Texts Checked(const char* line) {
    return line ? Texts{line, "SYST:ERR?"} : Texts{};
}

struct ModelCase {
    const char* name;
    SupplyModel model;
    const char* identity;
    const char* voltageAndCurrent; // 3.8 V, 3 A
    const char* voltage;           // 4.18 V on output 1
    const char* current;           // 3 A on output 1
    const char* on;
    const char* off;
    const char* measure;
};

const ModelCase kModels[] = {
    {"hp66311B", SupplyModel::k66311B, "HEWLETT-PACKARD,66311B,US38444369.A,02.02",
     "VOLT 3.8;CURR 3;OUTP ON", nullptr, nullptr, nullptr, nullptr, "MEAS:CURR?"},
    {"agilentE3631A", SupplyModel::kE3631A, "Agilent Technologies,E3631A,0,2.1-5.0-1.0", nullptr,
     "INST:NSEL 1;:VOLT 4.18", "INST:NSEL 1;:CURR 3", "OUTP ON", "OUTP OFF", "MEAS:CURR? P6V"},
    {"hpE3632A", SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0", nullptr, "VOLT 4.18",
     "CURR 3", "OUTP ON", "OUTP OFF", "MEAS:CURR?"},
    {"keysightE3633A", SupplyModel::kE3632A, "Keysight Technologies,E3633A,0,1.7-5.0-1.0", nullptr,
     "VOLT 4.18", "CURR 3", "OUTP ON", "OUTP OFF", "MEAS:CURR?"},
};

class SupplyModels : public SupplyPeer, public testing::WithParamInterface<ModelCase> {};

TEST_P(SupplyModels, eachRoleSendsItsLinesAndARoleTheModelLacksSendsNothing) {
    const ModelCase& model = GetParam();
    const ViSession s = Open(model.model, model.identity);
    const std::pair<const char*, std::function<ViStatus()>> roles[] = {
        {model.voltageAndCurrent, [s] { return supply_outputVoltCurr(s, 3.8, 3.0); }},
        {model.voltage, [s] { return supply_setVoltage(s, 1, 4.18); }},
        {model.current, [s] { return supply_setCurrent(s, 1, 3.0); }},
        {model.on, [s] { return supply_outputOn(s, 1); }},
        {model.off, [s] { return supply_outputOn(s, 0); }},
    };
    for (const auto& [line, call] : roles) {
        EXPECT_EQ(call(), line ? VI_SUCCESS : SUPPLY_ERROR_NOT_SUPPORTED) << (line ? line : "-");
        EXPECT_EQ(Sent(s), Checked(line));
    }
    server->SetReply(model.measure, "+1.2345E-01");
    ViReal64 amps = -1.0;
    EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_SUCCESS);
    EXPECT_DOUBLE_EQ(amps, 0.12345);
    EXPECT_EQ(Sent(s), Checked(model.measure));
}

TEST_P(SupplyModels, anInstrumentErrorIsDetectedKeptAndReadBeforeTheInstrumentsQueue) {
    const ModelCase& model = GetParam();
    const ViSession s = Open(model.model, model.identity);
    server->QueueReply("SYST:ERR?", "-222,\"Data out of range\"");
    server->QueueReply("SYST:ERR?", "+0,\"No error\""); // the next call's check
    server->QueueReply("SYST:ERR?", "-113,\"Undefined header\"");
    EXPECT_EQ(model.voltage ? supply_setVoltage(s, 1, 99.0) : supply_outputVoltCurr(s, 99.0, 1.0),
              static_cast<ViStatus>(0xBFFC0D07u));
    ViReal64 amps = 0.0;
    server->SetReply(model.measure, "0.5");
    EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_SUCCESS) << "the kept entry is no new error";
    Sent(s);
    ViInt32 code = 0;
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_EQ(code, -222);
    EXPECT_STREQ(message, "Data out of range");
    EXPECT_TRUE(Sent(s).empty()) << "the kept entry is answered without asking the instrument";
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_EQ(code, -113);
    EXPECT_STREQ(message, "Undefined header");
    ASSERT_EQ(supply_error_query(s, &code, message), VI_SUCCESS);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Sent(s), (Texts{"SYST:ERR?", "SYST:ERR?"}));
}

INSTANTIATE_TEST_SUITE_P(Supplies, SupplyModels, testing::ValuesIn(kModels),
                         [](const auto& model) { return std::string(model.param.name); });

using SupplyOutputs = SupplyPeer;

TEST_F(SupplyOutputs, theTripleSupplyNamesItsThreeOutputsAndRefusesOthersWithoutSending) {
    const ViSession s = Open(SupplyModel::kE3631A, "HEWLETT-PACKARD,E3631A,0,2.1-5.0-1.0");
    server->SetReply("MEAS:CURR? N25V", "0.25");
    ViReal64 amps = 0.0;
    EXPECT_EQ(supply_setVoltage(s, 2, 25.0), VI_SUCCESS);
    EXPECT_EQ(supply_setVoltage(s, 3, -12.5), VI_SUCCESS);
    EXPECT_EQ(supply_setCurrent(s, 3, 0.5), VI_SUCCESS);
    EXPECT_EQ(supply_measureCurrent(s, 3, &amps), VI_SUCCESS);
    EXPECT_EQ(Sent(s),
              (Texts{"INST:NSEL 2;:VOLT 25", "SYST:ERR?", "INST:NSEL 3;:VOLT -12.5", "SYST:ERR?",
                     "INST:NSEL 3;:CURR 0.5", "SYST:ERR?", "MEAS:CURR? N25V", "SYST:ERR?"}));
    for (const ViInt16 output : {ViInt16{0}, ViInt16{4}, ViInt16{-1}}) {
        EXPECT_EQ(supply_setVoltage(s, output, 3.8), VI_ERROR_PARAMETER2);
        EXPECT_EQ(supply_setCurrent(s, output, 3.0), VI_ERROR_PARAMETER2);
        EXPECT_EQ(supply_measureCurrent(s, output, &amps), VI_ERROR_PARAMETER2);
    }
    EXPECT_TRUE(Sent(s).empty());
}

TEST_F(SupplyOutputs, numbersGoOutAsTheShortestExactDecimalAndNonNumbersAreRefusedBothWays) {
    const ViSession s = Open(SupplyModel::kE3632A, "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0");
    EXPECT_EQ(supply_setVoltage(s, 7, 0.1 + 0.2), VI_SUCCESS) << "the output is ignored";
    EXPECT_EQ(supply_setCurrent(s, 1, 1e-5), VI_SUCCESS);
    EXPECT_EQ(Sent(s), (Texts{"VOLT 0.30000000000000004", "SYST:ERR?", "CURR 1e-05", "SYST:ERR?"}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(supply_setVoltage(s, 1, nan), VI_ERROR_PARAMETER3);
    EXPECT_EQ(supply_setCurrent(s, 1, -inf), VI_ERROR_PARAMETER3);
    EXPECT_TRUE(Sent(s).empty());
    // A current reply that is no number is an invalid response, never a value.
    for (const char* reply : {"", "garbage", "1.2.3", "0.5 A", "nan", "inf", "+-1", "0x10"}) {
        server->SetReply("MEAS:CURR?", reply);
        ViReal64 amps = -7.0;
        EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_ERROR_INV_RESPONSE) << reply;
        EXPECT_EQ(amps, -7.0) << reply;
        EXPECT_EQ(Sent(s), Checked("MEAS:CURR?")) << reply;
    }
    for (const auto& [reply, value] : {std::pair{" 2 ", 2.0}, {"-1.0E-03", -0.001}, {"+.5", 0.5}}) {
        server->SetReply("MEAS:CURR?", reply);
        ViReal64 amps = -7.0;
        EXPECT_EQ(supply_measureCurrent(s, 1, &amps), VI_SUCCESS) << reply;
        EXPECT_EQ(amps, value) << reply;
    }
    EXPECT_EQ(supply_measureCurrent(s, 1, nullptr), VI_ERROR_PARAMETER3);
}

} // namespace
