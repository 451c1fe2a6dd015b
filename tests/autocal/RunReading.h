#pragma once

#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationResults.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Reads the lines a calibration run wrote to the target, one calibration after the other, in the
// order the station must send them, and keeps the values it wrote: what the results file must
// show. The first line out of order ends the reading with a problem that says where.
class RunReading {
public:
    explicit RunReading(QStringList lines) : lines_(std::move(lines)) {}

    void Gmagic();
    void Rx();
    void GsmTx(const CalibrationConfig& config);
    void DcsTx(const CalibrationConfig& config);

    bool Ok() const { return problem_.isEmpty(); }
    QString Problem() const { return problem_; }
    bool AtEnd() const { return at_ == lines_.size(); }

    // What the station wrote into the target.
    int gsmGmagic = 0;
    int dcsGmagic = 0;
    std::array<int, kRxChannels> rx{};
    std::array<std::array<int, 3>, CalibrationResults::kGsmRows> gsmApc{}; // levels 5 to 19
    std::array<std::array<int, 3>, CalibrationResults::kDcsRows> dcsApc{}; // PCL 0 to 15

private:
    struct TxPart;
    using DacRow = std::array<int, 3>; // sub-bands 1 to 3
    QList<DacRow> Tx(const TxPart& part);
    int GmagicPass(const QString& channel, const QString& read, const QString& write,
                   const QString& parameters);

    void Take(const QString& line);
    int TakeNumber(const QString& head, const QString& tail = QString());
    bool NextIs(const QString& head) const;
    void Require(bool holds, const QString& what);
    QString Next() const;

    QStringList lines_;
    qsizetype at_ = 0;
    QString problem_;
};
