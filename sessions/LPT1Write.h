#pragma once

#include "sessions/LabelJob.h"

#include <QString>

// The label printer on LPT1: a printer device (or, on a bench, a file) that must exist, opened
// for writing by this program alone, each line of a job written through to it. Every failure is
// returned in words: a label that did not print is a phone without its label.
class CLPT1Write {
public:
    static constexpr int kWriteTimeoutMs = 5000; // a printer that takes nothing for this long

    CLPT1Write() = default;
    CLPT1Write(const CLPT1Write&) = delete;
    CLPT1Write& operator=(const CLPT1Write&) = delete;
    ~CLPT1Write() { Close(); }

    bool Open(const QString& device, QString* error);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    bool PrintLabel(const QByteArray& scanned, const LabelSettings& settings, int regionCode,
                    QString* error);

private:
    bool WriteAll(const QByteArray& bytes, QString* error);

    int fd_ = -1;
    QString device_;
};
