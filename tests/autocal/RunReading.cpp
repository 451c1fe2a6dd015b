#include "tests/autocal/RunReading.h"

#include <algorithm>

namespace {

// The RX channels in the order they are calibrated.
constexpr int kRxOrder[kRxChannels] = {1,   20,  40,  62,  80,  100, 124,  512, 585,
                                       660, 700, 790, 835, 885, 975, 1000, 1023};

QString Number(int value) {
    return QString::number(value);
}

} // namespace

// One TX part: how it opens, its sub-bands' channels and DAC commands, its levels from the top
// power down, the levels above the top that get the top's DAC, and how it closes.
struct RunReading::TxPart {
    QStringList opening;
    std::array<std::int32_t, 3> tch;
    std::array<QString, 3> dacHeads;
    int topLevel;
    int lastLevel;
    int startDac;
    QList<int> fillLevels;
    QList<int> referenceLevels;
    QStringList closing;
};

void RunReading::Gmagic() {
    Take("ti");
    Take("tms 1");
    gsmGmagic = GmagicPass("62", "rftr 31", "rftw 31 ", ",40,0,39,40");
    dcsGmagic = GmagicPass("698", "rftr 47", "rftw 47 ", ",40,0,41,42");
    Take("se 1");
}

// A band's pass: the channel, two samples each between "rfe 1" and "rfe 0", the read-back and
// the value written with its four fixed numbers.
int RunReading::GmagicPass(const QString& channel, const QString& read, const QString& write,
                           const QString& parameters) {
    Take("rfpw 2 " + channel);
    for (int sample = 0; sample < 2; ++sample) {
        Take("rfe 1");
        Take("sr 1 2");
        Take("rfe 0");
    }
    Take(read);
    return TakeNumber(write, parameters);
}

void RunReading::Rx() {
    Take("se 300");
    Take("se 100");
    for (int index = 0; index < kRxChannels; ++index) {
        Take("spw 1 " + Number(kRxOrder[index]));
        Take("spr 11");
        rx[static_cast<std::size_t>(index)] = TakeNumber("spw 11 ");
    }
    Take("se 101");
    Take("se 1");
}

void RunReading::GsmTx(const CalibrationConfig& config) {
    const TxPart part{{"ti", "tms 1"},
                      config.gsmTch,
                      {"txpw 4 ", "spw 21 ", "spw 22 "},
                      5,
                      19,
                      600,
                      {0, 1, 2, 3, 4},
                      {5, 9, 13, 16, 18},
                      {"rfe 0"}};
    const QList<DacRow> rows = Tx(part);
    std::copy(rows.begin(), rows.end(), gsmApc.begin());
}

void RunReading::DcsTx(const CalibrationConfig& config) {
    const TxPart part{{"rfpw 1 " + Number(config.dcsBch)},
                      config.dcsTch,
                      {"txpw 4 ", "spw 31 ", "spw 32 "},
                      100,
                      115,
                      605,
                      {129, 130, 131},
                      {100, 105, 109, 112, 114},
                      {"rfe 0", "se 1"}};
    const QList<DacRow> rows = Tx(part);
    std::copy(rows.begin(), rows.end(), dcsApc.begin());
}

// Per sub-band the channel (and the transmitter switched on in the first), then each level: the
// level, its DAC, and at a reference level the DACs the search tried until the power was in
// tolerance. When the top level needed a search its DAC goes to the levels above it too.
// Returns the DAC each level ended with, from the top level down.
QList<RunReading::DacRow> RunReading::Tx(const TxPart& part) {
    QList<DacRow> rows(part.lastLevel - part.topLevel + 1);
    for (const QString& line : part.opening)
        Take(line);
    for (int sub = 0; sub < 3; ++sub) {
        const QString& head = part.dacHeads[static_cast<std::size_t>(sub)];
        Take("rfpw 2 " + Number(part.tch[static_cast<std::size_t>(sub)]));
        if (sub == 0)
            Take("rfe 7");
        for (int level = part.topLevel; level <= part.lastLevel; ++level) {
            Take("txpw 1 " + Number(level));
            int dac = TakeNumber(head);
            int writes = 1;
            if (level == part.topLevel)
                Require(dac == part.startDac, "the top level starting at " + Number(part.startDac));
            while (part.referenceLevels.contains(level) && NextIs(head)) {
                dac = TakeNumber(head);
                ++writes;
            }
            rows[level - part.topLevel][static_cast<std::size_t>(sub)] = dac;
            if (level != part.topLevel || writes == 1)
                continue;
            for (int fill : part.fillLevels) {
                Take("txpw 1 " + Number(fill));
                Take(head + Number(dac));
            }
        }
    }
    for (const QString& line : part.closing)
        Take(line);
    return rows;
}

void RunReading::Take(const QString& line) {
    if (!Ok())
        return;
    if (Next() != line) {
        Require(false, '"' + line + '"');
        return;
    }
    ++at_;
}

int RunReading::TakeNumber(const QString& head, const QString& tail) {
    if (!Ok())
        return 0;
    const QString next = Next();
    bool number = false;
    const int value =
        next.startsWith(head) && next.endsWith(tail)
            ? next.mid(head.size(), next.size() - head.size() - tail.size()).toInt(&number)
            : 0;
    Require(number, '"' + head + "N" + tail + '"');
    if (number)
        ++at_;
    return value;
}

bool RunReading::NextIs(const QString& head) const {
    return Ok() && Next().startsWith(head);
}

void RunReading::Require(bool holds, const QString& what) {
    if (holds || !Ok())
        return;
    problem_ = QStringLiteral("line %1 is \"%2\"; wanted %3").arg(at_).arg(Next(), what);
}

QString RunReading::Next() const {
    return at_ < lines_.size() ? lines_[at_] : QStringLiteral("(no more lines)");
}
