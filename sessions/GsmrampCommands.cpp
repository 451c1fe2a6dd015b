#include "sessions/GsmrampCommands.h"

#include "link/Bcommand.h"

#include <array>

namespace {

// Sub-bands 1 of GSM and DCS go through the TX parameter of the level in use; the others are
// special parameters.
constexpr std::array kBands = {
    RampBand{"1~55", "txpw 4 ", "txpr 4"},     RampBand{"56~100", "spw 21 ", "spr 21"},
    RampBand{"101~124", "spw 22 ", "spr 22"},  RampBand{"512~631", "txpw 4 ", "txpr 4"},
    RampBand{"632~751", "spw 31 ", "spr 31"},  RampBand{"752~885", "spw 32 ", "spr 32"},
    RampBand{"975~1023", "spw 23 ", "spr 23"},
};

struct LevelRange {
    int first;
    int last;
    int firstIndex;
};
constexpr LevelRange kGsmLevels{5, 19, 0};
constexpr LevelRange kDcsLevels{100, 115, 15};
constexpr int kRampIndices = 31;

QStringList Numbers(int first, int last) {
    QStringList numbers;
    for (int n = first; n <= last; ++n)
        numbers << QString::number(n);
    return numbers;
}

} // namespace

QStringList RampBandCaptions() {
    QStringList captions;
    for (const RampBand& band : kBands)
        captions << QString::fromLatin1(band.caption);
    return captions;
}

const RampBand* RampBandAt(int bandIndex) {
    if (bandIndex < 0 || bandIndex >= static_cast<int>(kBands.size()))
        return nullptr;
    return &kBands[static_cast<std::size_t>(bandIndex)];
}

QStringList TxLevelCaptions() {
    return Numbers(kGsmLevels.first, kGsmLevels.last) + Numbers(kDcsLevels.first, kDcsLevels.last);
}

QStringList RampIndexCaptions() {
    return Numbers(0, kRampIndices - 1);
}

std::optional<int> RampIndexForTxLevel(const QString& level) {
    // Read as the encoder reads a number, so that the index follows the level that was sent.
    const QByteArray text = level.toUtf8();
    const int value =
        ParseDecWord(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    for (const LevelRange& range : {kGsmLevels, kDcsLevels}) {
        if (value >= range.first && value <= range.last)
            return range.firstIndex + value - range.first;
    }
    return std::nullopt;
}
