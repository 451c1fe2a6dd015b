#include "sessions/RfTestLines.h"

namespace {

constexpr int kLevelLimit = 20;      // levels 0..19
constexpr int kDcsLevelOffset = 100; // the target numbers DCS levels from 100
constexpr int kMaxApcDac = 1023;
constexpr int kMaxAgc = 50;

bool IsDcs(int channel) {
    return channel >= 512 && channel <= 885;
}

bool IsGsmOrEgsm(int channel) {
    return (channel >= 0 && channel <= 124) || channel >= 975;
}

// The command that writes the APC DAC of channel's sub-band; empty for none.
QString ApcDacCommand(int channel) {
    if (channel <= 55)
        return QStringLiteral("txpw 4");
    if (channel <= 100)
        return QStringLiteral("spw 21");
    if (channel <= 124)
        return QStringLiteral("spw 22");
    if (channel <= 631)
        return QStringLiteral("txpw 4");
    if (channel <= 751)
        return QStringLiteral("spw 31");
    if (channel <= 885)
        return QStringLiteral("spw 32");
    return {};
}

} // namespace

QString StepLine(RfStep step) {
    switch (step) {
    case RfStep::TestmodeInit:
        return QStringLiteral("ti");
    case RfStep::TestmodeSet:
        return QStringLiteral("tms 1");
    case RfStep::TxOn:
        return QStringLiteral("rfe 6");
    case RfStep::RfOff:
        return QStringLiteral("rfe 0");
    case RfStep::AgcDisable:
        return QStringLiteral("rxpw 8 0");
    case RfStep::RxOn:
        return QStringLiteral("se 30");
    case RfStep::AfcDisable:
        return QStringLiteral("rfpw 8 0");
    case RfStep::AfcTxOn:
        return QStringLiteral("rfe 3");
    case RfStep::SaveRfToEeprom:
        return QStringLiteral("se 1");
    }
    return {};
}

QString TxChannelLine(int channel) {
    return QStringLiteral("rfpw 2 %1").arg(channel);
}

QString RxChannelLine(int channel) {
    return QStringLiteral("spw 14 %1").arg(channel);
}

std::optional<QString> PowerLevelLine(int channel, int level) {
    if (level >= kLevelLimit)
        return std::nullopt;
    if (IsDcs(channel))
        return QStringLiteral("txpw 1 %1").arg(level + kDcsLevelOffset);
    if (IsGsmOrEgsm(channel))
        return QStringLiteral("txpw 1 %1").arg(level);
    return std::nullopt;
}

std::optional<QString> ApcDacLine(int channel, int dac) {
    const QString command = ApcDacCommand(channel);
    if (dac > kMaxApcDac || command.isEmpty())
        return std::nullopt;
    return QStringLiteral("%1 %2").arg(command).arg(dac);
}

std::optional<QString> AgcLine(int agc) {
    if (agc > kMaxAgc)
        return std::nullopt;
    return QStringLiteral("spw 15 %1").arg(agc);
}

QString AfcDacLine(int afcDac) {
    return QStringLiteral("rfpw 9 %1").arg(afcDac);
}
