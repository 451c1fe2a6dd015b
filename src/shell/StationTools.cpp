#include "StationTools.h"

#include "AutocalibDlg.h"
#include "EngineerControls.h"
#include "ManualCalDlg.h"
#include "RFConfigDlg.h"

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
             auto* window = new CAutocalibDlg(parts.target, parts.rfConfiguration, parent);
             window->EnableEngineerControls(EngineerControlsSetting());
             return window;
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
