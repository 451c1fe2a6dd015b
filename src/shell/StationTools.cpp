#include "StationTools.h"

#include "Gsmramp.h"
#include "ManualCalDlg.h"

#include <algorithm>

const std::vector<StationTool>& StationTools() {
    static const std::vector<StationTool> tools = {
        {QStringLiteral("manual"), FrameCommand::InputWindow, QString(), ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* {
             return new CManualCalDlg(target, parent);
         }},
        {QStringLiteral("ramp"), FrameCommand::GsmDcsRampTable, QString(), ToolKind::Modeless,
         [](CComm& target, QWidget* parent) -> QDialog* { return new CGsmramp(target, parent); }},
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
