#pragma once

#include "CalOptions.h"
#include "CalibrationThread.h"
#include "MessageService.h"

#include <QObject>
#include <QTextStream>

#include <optional>

class CComm;

// The operator's cycle without the window: check the instruments, wait for a target to draw
// current (without a supply: start at once), run, and for each further unit wait for the
// removal and the next target. Everything the window would show goes to standard output; the
// OK/FAIL popup is acknowledged at once.
class CalRunner : public QObject, private MessageSink {
    Q_OBJECT
public:
    static constexpr int kExitFailed = 1;
    static constexpr int kExitUsage = 2;

    CalRunner(CComm& comm, const CalOptions& options, QTextStream& out);
    ~CalRunner() override;

    // Starts the cycle; the application quits with Status() when it is over.
    void Start();
    int Status() const { return status_; }

private:
    void Show(const QString& text, MessageIcon icon) override;
    void Connect();
    void Print(const QString& line);
    void OnStatus(const QString& text);
    void OnInstrumentsChecked(bool testSetOpen, bool supplyOpen);
    void OnResults(int calibration, const CalibrationResults& results);
    void OnOkFail(const QString& text);
    void OnFinished(int calibration);
    void OnFailed(int calibration, const QString& text);
    void StartRun();
    void EndRun(bool success);
    void Finish(int status);
    bool SupplyConfigured() const;

    CalOptions options_;
    QTextStream& out_;
    CalibrationThread thread_;
    MessageSink* previousSink_;
    QString lastStatus_;
    bool checked_ = false;
    bool running_ = false;
    int unitsDone_ = 0;
    // The run is over and the popup that tells how is still to come: whether it succeeded.
    std::optional<bool> endAtPopup_;
    int status_ = 0;
};
