#pragma once

#include <optional>

class QCommandLineParser;
class QSettings;
class QString;

// What the station does with a reply whose checksum byte is not the XOR of the bytes after the
// lead byte. Whether every target computes that XOR is not known, so real phones are not
// refused on it unless asked.
enum class ReplyChecksum {
    Ignore, // taken as it is, as the station always did
    Warn,   // taken, and each mismatch counted and logged
    Reject, // counted, logged, and taken as a status error: repeated or reported, never used
};

// The [Link] settings: how the station paces its commands on the target line and how it checks
// the replies. Process-wide; the executables load them at start (the command line wins), tests
// set what they need.
namespace LinkSettings {

// The pacing of the station on real phones, which may need a moment between two commands.
inline constexpr int kStationCommandGapMs = 50;

// The least time from one command's packet to the next on a channel; 0 until the settings are
// loaded, so that a bench without a station's settings is not paced.
int CommandGapMs();
void SetCommandGapMs(int ms);

ReplyChecksum ReplyChecksumCheck();
void SetReplyChecksumCheck(ReplyChecksum check);
// "ignore", "warn" or "reject", in any case; none for anything else.
std::optional<ReplyChecksum> ParseReplyChecksum(const QString& text);

// Reads [Link] CommandGapMs (default kStationCommandGapMs) and ReplyChecksum (default ignore).
void Load(QSettings& settings);
void LoadStationSettings();

} // namespace LinkSettings

// The --command-gap-ms and --reply-checksum options, and their application after the settings
// were loaded.
void AddLinkOptions(QCommandLineParser& parser);
bool ApplyLinkOptions(const QCommandLineParser& parser, QString* error);
