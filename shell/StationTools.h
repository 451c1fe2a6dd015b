#pragma once

#include "shell/FrameCommands.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CComm;
class EndingStations;
class QDialog;
class QWidget;
class RfConfiguration;

// How the main frame shows a tool window.
enum class ToolKind {
    Modeless,
    ModelessMinimisingFrame, // the frame minimises itself after showing it
    Modal,                   // runs on the command handler's stack until it is closed
};

// What a tool window is made on: the target channel, the RF parameter configuration the
// calibration's windows share, and where a calibration station goes on ending after its window.
// It stands for the channel wherever a tool needs nothing more, so that such a tool's factory
// takes the CComm& alone.
struct ToolParts {
    CComm& target;
    RfConfiguration& rfConfiguration;
    EndingStations& stations;

    operator CComm&() const { return target; }
};

// Creates a tool's window; parent is the frame, or none for a tool that minimises the frame.
using ToolFactory = std::function<QDialog*(const ToolParts& parts, QWidget* parent)>;

// One tool window of the station as the main frame offers it.
struct StationTool {
    QString name; // for scripts: rftune --open NAME
    FrameCommand command;
    // Under Tools, for a command the menu never had an item for; empty for the others.
    QString toolsCaption;
    ToolKind kind = ToolKind::Modeless;
    ToolFactory create;
};

// Every tool window the station has, in one list: a new tool registers here, and the main frame
// builds its commands from it.
const std::vector<StationTool>& StationTools();

const StationTool* FindStationTool(const QString& name);
QStringList StationToolNames();
