#pragma once

#include "drivers/age1960/age1960.h"
#include "tests/support/ScriptedPeer.h"

// The driver against a scripted peer at the 8960's fixed address.
class Age1960Scripted : public ScriptedPeer {
protected:
    static constexpr const char* kResource = "GPIB0::14::INSTR";
    static constexpr const char* kIdentity = "Agilent Technologies,8960 Series 10 E5515B,GB1,0";

    void SetUp() override {
        ScriptedPeer::SetUp();
        server->SetReply("*IDN?", kIdentity);
        Alias(kResource);
    }
    void TearDown() override {
        age1960_close(session_);
        ScriptedPeer::TearDown();
    }

    // A session opened without ID query and reset; its opening lines are taken as seen.
    ViSession Open() {
        EXPECT_EQ(age1960_init(kResource, 0, 0, &session_), VI_SUCCESS);
        NewLines();
        return session_;
    }

private:
    ViSession session_ = VI_NULL;
};
