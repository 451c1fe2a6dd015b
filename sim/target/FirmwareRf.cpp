#include "sim/model/Arfcn.h"
#include "sim/target/ByteHelpers.h"
#include "sim/target/Firmware.h"

// RF parameters (rfpw/rfpr), the GMAGIC parameter sets (rftw/rftr) and the RX parameters
// (rxpw/rxpr).

using namespace target_bytes;

namespace {

enum RfParam { kBchChannel = 1, kTchChannel = 2, kAfcEnable = 8, kAfcDac = 9, kInitAfc = 10 };
enum RfTable { kGmagicGsm = 31, kGmagicDcs = 47 };
enum RxParam { kAgcGain = 1, kRxTimeslot = 2, kAgcEnable = 8, kRxFrontDelay = 10 };

} // namespace

Answer Firmware::RfParamWrite(const CommandPacket& packet) {
    const std::uint16_t value = packet.Arg16(2); // after the index and a 0x00
    switch (packet.Arg8(0)) {
    case kBchChannel:
        if (BandOf(value) == RadioBand::kNone)
            return Answer::BadArgument();
        control_.bchChannel = value;
        return Answer::Ok();
    case kTchChannel:
        if (BandOf(value) == RadioBand::kNone)
            return Answer::BadArgument();
        control_.tchChannel = value;
        control_.rxChannel = value;
        return Answer::Ok();
    case kAfcEnable:
        control_.afcEnabled = value;
        return Answer::Ok();
    case kAfcDac:
        control_.afcDac = packet.ArgS16(2);
        return Answer::Ok();
    case kInitAfc:
        rf_.initAfc = packet.ArgS16(2);
        return Answer::Ok();
    default:
        return Answer::BadArgument();
    }
}

Answer Firmware::RfParamRead(const CommandPacket& packet) {
    switch (packet.Arg8(0)) {
    case kBchChannel:
        return Answer::Ok(WordBytes(control_.bchChannel));
    case kTchChannel:
        return Answer::Ok(WordBytes(control_.tchChannel));
    case kAfcEnable:
        return Answer::Ok(WordBytes(control_.afcEnabled));
    case kAfcDac:
        return Answer::Ok(WordBytes(control_.afcDac));
    case kInitAfc:
        return Answer::Ok(WordBytes(rf_.initAfc));
    default:
        return Answer::BadArgument();
    }
}

ParameterSet* Firmware::ParameterSetAt(int index) {
    if (index == kGmagicGsm)
        return &rf_.gmagicGsm;
    return index == kGmagicDcs ? &rf_.gmagicDcs : nullptr;
}

Answer Firmware::RfTableWrite(const CommandPacket& packet) {
    ParameterSet* set = ParameterSetAt(packet.Arg8(0));
    if (set == nullptr)
        return Answer::BadArgument();
    for (std::size_t i = 0; i < set->size(); ++i)
        (*set)[i] = packet.Arg16(1 + 2 * static_cast<int>(i));
    return Answer::Ok();
}

Answer Firmware::RfTableRead(const CommandPacket& packet) {
    const ParameterSet* set = ParameterSetAt(packet.Arg8(0));
    if (set == nullptr)
        return Answer::BadArgument();
    QByteArray data;
    for (std::uint16_t value : *set)
        AppendU16le(data, value);
    return Answer::Ok(data);
}

int* Firmware::RxParamAt(int index) {
    switch (index) {
    case kAgcGain:
        return &control_.agcGain;
    case kRxTimeslot:
        return &control_.rxTimeslot;
    case kAgcEnable:
        return &control_.agcEnabled;
    case kRxFrontDelay:
        return &control_.rxFrontDelay;
    default:
        return nullptr;
    }
}

Answer Firmware::RxParamWrite(const CommandPacket& packet) {
    int* param = RxParamAt(packet.Arg16(0));
    if (param == nullptr)
        return Answer::BadArgument();
    *param = packet.Arg16(2);
    return Answer::Ok();
}

Answer Firmware::RxParamRead(const CommandPacket& packet) {
    const int* param = RxParamAt(packet.Arg8(0));
    return param == nullptr ? Answer::BadArgument() : Answer::Ok(WordBytes(*param));
}
