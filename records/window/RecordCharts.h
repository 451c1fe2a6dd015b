#pragma once

#include "records/RecordStats.h"
#include "records/RunRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class QChart;

// One histogram the records offer: its title and the stored value it counts.
struct ValueChoice {
    QString title;
    QString valueName;
};

// GMAGIC per band, each RX channel, the APC DAC at each reference level per sub-band.
QList<ValueChoice> GmagicChoices();
QList<ValueChoice> RxChoices();
QList<ValueChoice> ApcChoices();

// The charts of the Records window and of rftune-report --plot; the caller owns each chart.
// An empty chart with the records' title, legend and no animation.
QChart* NewRecordsChart(const QString& title);
// How many units had each value; the selected unit's bin is marked.
QChart* HistogramChart(const ValueChoice& choice, const QList<ValueCount>& counts,
                       const RunRecord* selected);
// A unit's APC searches in one band: measured power against DAC, one line per level searched.
QChart* ApcSearchChart(const RunRecord* run, int band);
