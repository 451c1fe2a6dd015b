#pragma once

#include "sessions/ImeiRwSession.h"
#include "widgets/TargetWindow.h"

#include <QList>

class CComm;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPushButton;
class QComboBox;
class QSpinBox;

// "IMEI R/W": the identity station of the line. By hand it reads and writes the IMEI, the
// versions, the serial number, the clock and the region; SCAN runs one phone's whole cycle from
// its barcode to its labels. NEXT, with Enter, empties the boxes for the next phone. The
// ImeiRwSession does the work; this is its view.
class CImeiRw : public TargetWindow {
    Q_OBJECT
public:
    explicit CImeiRw(CComm& comm, QWidget* parent = nullptr, const ImeiTimings& timings = {});

    ImeiRwSession& Session() { return *session_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* MakeVersionGroup();
    QGroupBox* MakeImeiGroup();
    QLayout* MakeImeiRow(const QString& prefix, QList<QLineEdit*>* boxes, QPushButton* button);
    QLayout* MakeLabelRow();
    QGroupBox* MakeClockGroup();
    QGroupBox* MakeRegionGroup();
    QLayout* MakeBottomRow();
    QPushButton* CommandButton(const QString& caption, const QString& name);
    QLineEdit* ReadBox(const QString& name);

    void ShowFields();
    void OnNext();
    void OnLabelSettingChanged();
    void OnScanStarted();
    void OnScanFinished();

    ImeiRwSession* session_;
    QList<QLineEdit*> imeiRead_;
    QList<QLineEdit*> imeiSet_;
    QLineEdit* hardwareVersion_ = nullptr;
    QLineEdit* hardwareVersionSet_ = nullptr;
    QLineEdit* softwareVersion_ = nullptr;
    QLineEdit* serial_ = nullptr;
    QLineEdit* serialSet_ = nullptr;
    QLineEdit* time_ = nullptr;
    QLineEdit* region_ = nullptr;
    QComboBox* regionChoice_ = nullptr;
    QLineEdit* scanned_ = nullptr;
    QSpinBox* labelCount_ = nullptr;
    QSpinBox* labelVertical_ = nullptr;
    QSpinBox* labelHorizontal_ = nullptr;
    QPushButton* next_ = nullptr;
    QList<QPushButton*> commands_; // what is pressed no more while a scan runs
};
