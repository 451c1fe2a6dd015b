#pragma once

#include "records/RunRecord.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// rftune-cal calibrating simulated units one after the other with the automatic operator, its
// settings, spool and calresult.txt in a folder of its own; some units are flawed.
class SoakRun {
public:
    SoakRun();

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString SpoolDirectory() const { return dir_.filePath("data/rftune/spool"); }
    void Start(const QString& records, int units, int flawEvery);
    // Waits for the end; false when it did not end.
    bool Finish();
    int ExitCode() const { return process_.exitCode(); }
    QStringList Out() const { return out_; }
    QString Err() const { return err_; }
    QProcess& Process() { return process_; }
    // The failure texts the station printed, in order.
    QStringList FailureLines() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QStringList out_;
    QString err_;
};

// What calresult.txt must hold for these runs: the blocks of every calibration each one
// finished, as the station appends them.
QByteArray CalresultOf(const QList<RunRecord>& runs);

// rftune-report on the records; its standard output.
QStringList Report(const QStringList& arguments, int* exitCode);
