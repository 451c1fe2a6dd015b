#pragma once

#include "autocal/CalibrationCodes.h"

#include <QWidget>

class ResultList;
struct CalibrationResults;

// The calibration window's three result lists side by side: "GSM APC" (levels 5 to 19),
// "DCS APC" (PCL 0 to 15) and "RX CAL." (by channel).
class ResultPanel : public QWidget {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget* parent = nullptr);

    ResultList& GsmApc() { return *gsmApc_; }
    ResultList& DcsApc() { return *dcsApc_; }
    ResultList& Rx() { return *rx_; }

    // "AUTO CAL START": every list empty again but for its row labels.
    void Clear();
    // A finished calibration's list; the other calibrations have none.
    void Show(ActiveCalibration calibration, const CalibrationResults& results);

private:
    ResultList* gsmApc_;
    ResultList* dcsApc_;
    ResultList* rx_;
};
