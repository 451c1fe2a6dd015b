// The command tree of the virtual 4400: each header in SCPI notation (capitals: the short form).
#include "sim/wt4400/Virtual4400.h"
#include "sim/wt4400/Virtual4400Settings.h"

#include <vector>

using V = Virtual4400;

std::span<const V::Command> V::Commands() {
    static const std::vector<Command> commands = [] {
        std::vector<Command> list = {
            {"*RST", false, 0, 0, &V::Reset},

            {"CONFigure:CSYStem", false, 1, 1, &V::SelectCallSystem},
            {"STATus:OPERation:CONDition", true, 0, 0, &V::OperationCondition},
            {"STATus:OPERation:SIGNalling:CONDition", true, 0, 0, &V::SignallingCondition},
            {"STATus:OPERation:SIGNalling:GPRS:CONDition", true, 0, 0, &V::GprsCondition},
            {"CALL:BSORiginate", false, 0, 0, &V::Originate},
            {"CALL:BSRelease", false, 0, 0, &V::Release},
            {"CALL:RSIGnal", false, 0, 0, &V::Resignal},
            {"CALL:MSINfo:RXLevel", true, 0, 0, &V::MsReport},
            {"CALL:MSINfo:RXQuality", true, 0, 0, &V::MsReport},
            {"CALL:MSINfo:TADVance", true, 0, 0, &V::MsReport},

            {"MEASure:RFTX:POWer", false, 0, 0, &V::MeasureTxPower},
            {"FETCh:RFTX:POWer", true, 0, 0, &V::FetchTxPower},
            // The array measurement is written as a query but answers through CALCulate.
            {"MEASure:ARRay:RFTX:POWer", true, 1, 1, &V::MeasureTxPowerArray},
            {"CALCulate:MAVerage", true, 0, 0, &V::Statistic},
            {"CALCulate:MMINimum", true, 0, 0, &V::Statistic},
            {"CALCulate:MMAXimum", true, 0, 0, &V::Statistic},

            {"CONFigure:COUPling:NAME", false, 1, 1, &V::SetCouplingName},
            {"CONFigure:COUPling:STATe", false, 1, 1, &V::SetCouplingState},
            {"CONFigure:COUPLoss:DATA", false, 3, 41, &V::SetCouplingLoss},
            {"RFGenerator:STATe", false, 1, 1, &V::SetGeneratorState},
            {"CONFigure:GSM:ASSALL", false, 2, 2, &V::AssignAll},
            {"CONFigure:GSM:BS:LAI:MCC", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:LAI:MNC", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:LAI:LAC", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:NCC", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:BCC", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:CBA", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:BS:CI", false, 1, 1, &V::SetCellIdentity},
            {"CONFigure:GSM:MSTAtion:DRX", false, 1, 1, &V::SetCellIdentity},
        };
        // Each plain setting also answers its query.
        const auto add = [&list](const char* pattern, Handler set) {
            list.push_back({pattern, false, 1, 1, set});
            list.push_back({pattern, true, 0, 0, &V::QuerySetting});
        };
        for (const WordSetting& setting : WordSettings())
            add(setting.pattern, &V::SetWordSetting);
        for (const NumberSetting& setting : NumberSettings())
            add(setting.pattern, &V::SetNumberSetting);
        for (const RealSetting& setting : RealSettings())
            add(setting.pattern, &V::SetRealSetting);
        return list;
    }();
    return commands;
}
