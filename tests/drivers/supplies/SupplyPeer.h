#pragma once

#include "drivers/supplies/supplies.h"
#include "tests/support/ScriptedPeer.h"
#include "visa/VisaRegistry.h"

// The driver against a scripted supply at GPIB::5::INSTR (and GPIB::6::INSTR), as the station
// addresses it.
class SupplyPeer : public ScriptedPeer {
protected:
    void SetUp() override {
        ScriptedPeer::SetUp();
        Alias("GPIB::5::INSTR");
        Alias("GPIB::6::INSTR");
    }
    void TearDown() override {
        for (ViSession session : opened_)
            supply_close(session);
        EXPECT_EQ(VisaRegistry::Instance().Count(), 0) << "a test left VISA objects open";
        ScriptedPeer::TearDown();
    }

    // A session opened with identity query and reset, answering *IDN? with identity, its lines
    // checked; closed at the end of the test, after which no VISA object may be left.
    ViSession Open(SupplyModel model, const char* identity,
                   const char* resource = "GPIB::5::INSTR") {
        server->SetReply("*IDN?", identity);
        ViSession session = VI_NULL;
        EXPECT_EQ(supply_init(model, resource, 1, 1, &session), VI_SUCCESS) << identity;
        opened_.push_back(session);
        EXPECT_EQ(Sent(session), (Texts{"*IDN?", "*RST", "*CLS", "SYST:ERR?"}));
        return session;
    }
    // The lines received since the last call; a round trip of its own makes sure that a line
    // sent last has arrived, and that none was sent when none is listed.
    Texts Sent(ViSession session) {
        const QByteArray ping = "*OPC?\n";
        ViUInt32 count = 0;
        ViByte reply[16];
        EXPECT_EQ(viWrite(session, reinterpret_cast<ViConstBuf>(ping.constData()),
                          static_cast<ViUInt32>(ping.size()), &count),
                  VI_SUCCESS);
        EXPECT_EQ(viRead(session, reply, sizeof reply, &count), VI_SUCCESS);
        Texts sent = NewLines();
        if (!sent.empty())
            sent.pop_back(); // the round trip's own
        return sent;
    }

private:
    std::vector<ViSession> opened_;
};
