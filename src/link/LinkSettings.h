#pragma once

class QCommandLineParser;
class QSettings;
class QString;

// The [Link] settings: how the station paces its commands on the target line. Process-wide; the
// executables load them at start (the command line wins), tests set what they need.
namespace LinkSettings {

// The pacing of the station on real phones, which may need a moment between two commands.
inline constexpr int kStationCommandGapMs = 50;

// The least time from one command's packet to the next on a channel; 0 until the settings are
// loaded, so that a bench without a station's settings is not paced.
int CommandGapMs();
void SetCommandGapMs(int ms);

// Reads [Link] CommandGapMs (default kStationCommandGapMs).
void Load(QSettings& settings);
void LoadStationSettings();

} // namespace LinkSettings

// The --command-gap-ms option, and its application after the settings were loaded.
void AddLinkOptions(QCommandLineParser& parser);
bool ApplyLinkOptions(const QCommandLineParser& parser, QString* error);
