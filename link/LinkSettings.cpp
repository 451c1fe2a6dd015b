#include "link/LinkSettings.h"

#include "base/StationSettings.h"
#include "link/LinkLog.h"

#include <QCommandLineParser>
#include <QSettings>

#include <atomic>

namespace {

const char* const kLinkGroup = "Link";
const char* const kCommandGapKey = "CommandGapMs";
const char* const kCommandGapOption = "command-gap-ms";
const char* const kReplyChecksumKey = "ReplyChecksum";
const char* const kReplyChecksumOption = "reply-checksum";

std::atomic<int> g_commandGapMs{0};
std::atomic<ReplyChecksum> g_replyChecksum{ReplyChecksum::Ignore};

bool ApplyCommandGapOption(const QCommandLineParser& parser, QString* error) {
    if (!parser.isSet(QLatin1String(kCommandGapOption)))
        return true;
    bool ok = false;
    const int gap = parser.value(QLatin1String(kCommandGapOption)).toInt(&ok);
    if (!ok || gap < 0) {
        *error = QStringLiteral("bad --command-gap-ms value \"%1\"")
                     .arg(parser.value(QLatin1String(kCommandGapOption)));
        return false;
    }
    LinkSettings::SetCommandGapMs(gap);
    return true;
}

bool ApplyReplyChecksumOption(const QCommandLineParser& parser, QString* error) {
    if (!parser.isSet(QLatin1String(kReplyChecksumOption)))
        return true;
    const QString text = parser.value(QLatin1String(kReplyChecksumOption));
    const std::optional<ReplyChecksum> check = LinkSettings::ParseReplyChecksum(text);
    if (!check) {
        *error =
            QStringLiteral("bad --reply-checksum value \"%1\" (ignore, warn, reject)").arg(text);
        return false;
    }
    LinkSettings::SetReplyChecksumCheck(*check);
    return true;
}

} // namespace

namespace LinkSettings {

int CommandGapMs() {
    return g_commandGapMs.load();
}

void SetCommandGapMs(int ms) {
    g_commandGapMs.store(ms < 0 ? 0 : ms);
}

ReplyChecksum ReplyChecksumCheck() {
    return g_replyChecksum.load();
}

void SetReplyChecksumCheck(ReplyChecksum check) {
    g_replyChecksum.store(check);
}

std::optional<ReplyChecksum> ParseReplyChecksum(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("ignore"))
        return ReplyChecksum::Ignore;
    if (word == QLatin1String("warn"))
        return ReplyChecksum::Warn;
    if (word == QLatin1String("reject"))
        return ReplyChecksum::Reject;
    return std::nullopt;
}

void Load(QSettings& settings) {
    settings.beginGroup(QLatin1String(kLinkGroup));
    bool ok = false;
    const int gap = settings.value(QLatin1String(kCommandGapKey), kStationCommandGapMs).toInt(&ok);
    SetCommandGapMs(ok ? gap : kStationCommandGapMs);
    const QString check =
        settings.value(QLatin1String(kReplyChecksumKey), QStringLiteral("ignore")).toString();
    const std::optional<ReplyChecksum> parsed = ParseReplyChecksum(check);
    if (!parsed)
        qCWarning(lcLink) << "[Link] ReplyChecksum" << check
                          << "is not ignore, warn or reject; replies are not checked";
    SetReplyChecksumCheck(parsed.value_or(ReplyChecksum::Ignore));
    settings.endGroup();
}

void LoadStationSettings() {
    QSettings settings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)};
    Load(settings);
}

} // namespace LinkSettings

void AddLinkOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {QLatin1String(kCommandGapOption),
         QStringLiteral("The least time between two commands to the target in milliseconds "
                        "(default 50; 0 on a simulated bench)."),
         QStringLiteral("MS")},
        {QLatin1String(kReplyChecksumOption),
         QStringLiteral("What to do with a reply whose checksum is wrong: ignore (default), warn "
                        "(count and log it) or reject (take it as a status error; the default "
                        "with --simulate)."),
         QStringLiteral("CHECK")},
    });
}

bool ApplyLinkOptions(const QCommandLineParser& parser, QString* error) {
    return ApplyCommandGapOption(parser, error) && ApplyReplyChecksumOption(parser, error);
}
