#pragma once

// The main frame's commands, numbered as the station's menu resource always numbered them, so
// that log lines and tool plug-ins name them the same way.
enum class FrameCommand : int {
    TargetOpen = 32782,
    TargetClose = 32786,
    TargetReset = 32788,
    SaveAsFile = 32797,
    Exit = 57665,
    RfParameterSetting = 32802,
    AutoCalibration = 32805,
    GsmDcsRampTable = 32796,
    InputWindow = 32801,
    HelpTopics = 57667,
    About = 57664,
    ImeiRw = 32792,
    EepromMap = 32795,
    RfTest = 32808,
    LogicTest = 32809,
    ToolbarLast = 32780,
    PortSettings = 32900, // ours: the port map has no menu item of old
    Records = 32901,      // ours: the run records
};
