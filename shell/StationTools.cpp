#include "shell/StationTools.h"

#include "autocal/window/AutocalibDlg.h"
#include "autocal/window/EngineerControls.h"
#include "autocal/window/RFConfigDlg.h"
#include "records/RecordSettings.h"
#include "records/RecordsSession.h"
#include "records/window/RecordsDlg.h"
#include "tools/EepmapDlg.h"
#include "tools/Gsmramp.h"
#include "tools/ImeiRw.h"
#include "tools/LogicTestDlg.h"
#include "tools/ManualCalDlg.h"
#include "tools/RfTestDlg.h"
#include "tools/TargetReset.h"

#include <algorithm>

const std::vector<StationTool>& StationTools() {
    static const std::vector<StationTool> tools = {
        {QStringLiteral("manual"), FrameCommand::InputWindow, QString(), ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* {
             return new CManualCalDlg(target, parent);
         }},
        {QStringLiteral("rf-config"), FrameCommand::RfParameterSetting, QString(), ToolKind::Modal,
         [](const ToolParts& parts, QWidget* parent) -> QDialog* {
             return new CRFConfigDlg(parts.rfConfiguration, parent);
         }},
        {QStringLiteral("autocal"), FrameCommand::AutoCalibration, QString(),
         ToolKind::ModelessMinimisingFrame,
         [](const ToolParts& parts, QWidget* parent) -> QDialog* {
             auto* window =
                 new CAutocalibDlg(parts.target, parts.rfConfiguration, parts.stations, parent);
             window->EnableEngineerControls(EngineerControlsSetting());
             return window;
         }},
        {QStringLiteral("ramp"), FrameCommand::GsmDcsRampTable, QString(), ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* { return new CGsmramp(target, parent); }},
        {QStringLiteral("rf-test"), FrameCommand::RfTest, QStringLiteral("RF TEST"),
         ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* { return new CRfTestDlg(target, parent); }},
        {QStringLiteral("logic-test"), FrameCommand::LogicTest, QStringLiteral("Logic Test"),
         ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* {
             return new CLogicTestDlg(target, parent);
         }},
        {QStringLiteral("imei"), FrameCommand::ImeiRw, QStringLiteral("IMEI R/W"),
         ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* { return new CImeiRw(target, parent); }},
        {QStringLiteral("eeprom-map"), FrameCommand::EepromMap, QStringLiteral("EEPROM MAP"),
         ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* { return new CEepmapDlg(target, parent); }},
        {QStringLiteral("records"), FrameCommand::Records, QStringLiteral("Records"),
         ToolKind::Modeless,
         [](const ToolParts&, QWidget* parent) -> QDialog* {
             auto* session = new RecordsSession(RecordSettings::Location());
             auto* window = new CRecordsDlg(*session, parent);
             session->setParent(window);
             return window;
         }},
        {QStringLiteral("eeprom-reset"), FrameCommand::TargetReset, QString(), ToolKind::Modal,
         [](CComm& target, QWidget* parent) -> QDialog* {
             return new CTargetReset(target, parent);
         }},
    };
    return tools;
}

const StationTool* FindStationTool(const QString& name) {
    const auto& tools = StationTools();
    const auto it = std::find_if(tools.begin(), tools.end(),
                                 [&](const StationTool& tool) { return tool.name == name; });
    return it == tools.end() ? nullptr : &*it;
}

QStringList StationToolNames() {
    QStringList names;
    for (const StationTool& tool : StationTools())
        names << tool.name;
    return names;
}
