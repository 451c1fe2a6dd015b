// The command tree of the virtual 8960, in the notation of its manual: capitals are the short
// form, brackets optional nodes.
#include "sim/a8960/Virtual8960.h"
#include "sim/a8960/Virtual8960Settings.h"

#include <vector>

using V = Virtual8960;

namespace {

// The maximum number of points of the amplitude offset table.
constexpr int kMaxOffsetPoints = 20;

} // namespace

std::span<const V::Command> V::Commands() {
    static const std::vector<Command> commands = [] {
        std::vector<Command> list = {
            {"*RST", false, 0, 0, &V::Reset},
            {"SYSTem:PRESet2", false, 0, 0, &V::Reset},
            {"SYSTem:PRESet3", false, 0, 0, &V::PartialPreset},

            {"CALL[:CELL]:OPERating:MODE", false, 1, 1, &V::SetMode},
            {"CALL[:CELL]:OPERating:MODE", true, 0, 0, &V::QueryMode},
            {"CALL[:CELL]:FUNCtion:DOWNlink", false, 1, 1, &V::SetDownlink},
            {"CALL[:CELL]:FUNCtion:DOWNlink", true, 0, 0, &V::QueryDownlink},
            {"CALL[:CELL]:POWer[:SAMPlitude][:SELected]", false, 1, 1, &V::SetCellPower},
            {"CALL[:CELL]:POWer[:SAMPlitude][:SELected]", true, 0, 0, &V::QueryCellPower},
            {"CALL[:CELL]:POWer:STATe", false, 1, 1, &V::SetCellState},
            {"CALL[:CELL]:POWer:STATe", true, 0, 0, &V::QueryCellState},
            {"CALL[:CELL]:RFGenerator:FREQuency", false, 1, 1, &V::SetGeneratorFrequency},
            {"CALL[:CELL]:RFGenerator:FREQuency", true, 0, 0, &V::QueryGeneratorFrequency},

            {"SYSTem:CORRection:SFRequency", false, 1, kMaxOffsetPoints, &V::SetOffsetFrequencies},
            {"SYSTem:CORRection:SFRequency", true, 0, 0, &V::QueryOffsetFrequencies},
            {"SYSTem:CORRection:SGAin", false, 1, kMaxOffsetPoints, &V::SetOffsetGains},
            {"SYSTem:CORRection:SGAin", true, 0, 0, &V::QueryOffsetGains},
            {"SYSTem:CORRection:STATe", false, 1, 1, &V::SetOffsetState},
            {"SYSTem:CORRection:STATe", true, 0, 0, &V::QueryOffsetState},

            {"INITiate:TXPower|PVTime|PFERror|ORFSpectrum|AAUDio|DAUDio|BERRor|FBERror|DPOWer|"
             "IQTuning[:ON|:OFF]",
             false, 0, 0, &V::Accept},
            {"SETup[:ALL]:CONTinuous:ON|OFF", false, 0, 0, &V::Accept},
            {"READ:TXPower[:ALL]", true, 0, 0, &V::ReadTxPower},

            {"CALL:CONNected:ARM[:IMMediate]", false, 0, 0, &V::Accept},
            {"CALL:CONNected:TIMeout", false, 1, 1, &V::SetConnectTimeout},
            {"CALL:CONNected:TIMeout", true, 0, 0, &V::QueryConnectTimeout},
            {"CALL:CONNected[:STATe]", true, 0, 0, &V::QueryConnected},
            {"CALL:MS:REPorted:RXLevel[:LAST|:NEW]", true, 0, 0, &V::ReportedRxLevel},
        };
        for (const BandSetting& setting : BandSettings()) {
            list.push_back({setting.pattern, false, 1, 1, &V::SetBand});
            list.push_back({setting.pattern, true, 0, 0, &V::QueryBand});
        }
        for (const PerBandSetting& setting : PerBandSettings()) {
            const ScpiHeader header(setting.pattern, BandPlaceholders());
            list.push_back({header, false, 1, 1, &V::SetPerBand});
            list.push_back({header, true, 0, 0, &V::QueryPerBand});
        }
        return list;
    }();
    return commands;
}
