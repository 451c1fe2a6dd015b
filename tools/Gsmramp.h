#pragma once

#include "sessions/RampTable.h"
#include "widgets/TargetWindow.h"

#include <QPointer>

#include <array>

class CComm;
class CLineChartCtrl;
class CResultdispDlg;
class GsmrampSession;
class QComboBox;
class QLineEdit;
class QPushButton;
class RampStepBox;

// The ramp table editor "GSM RAMP TABLE": reads a TX ramp template from the target, edits its
// 32 steps with the ramp drawn as it changes, writes it back, and around it the TX level, the
// band's APC DAC, EEPROM save and reset, a call and a command line of its own. All of that is
// the GsmrampSession; this is its view.
class CGsmramp : public TargetWindow {
    Q_OBJECT
public:
    static constexpr QSize kChartSize{612, 160};

    explicit CGsmramp(CComm& comm, QWidget* parent = nullptr);

    GsmrampSession& Session() { return *session_; }
    CLineChartCtrl& Chart() { return *chart_; }
    RampStepBox& Step(RampTable::Row row, int slot);
    // The Result Display opened from this editor, while it is open.
    CResultdispDlg* ResultDisplay() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* MakeSelectors();
    QLayout* MakeChartRow();
    QLayout* MakeSteps();
    QLayout* MakeCommandRow();
    QLayout* MakeButtons();
    void ConnectSession();

    void OnIndexChanged(const QString& index);
    void OnRampFilled(RampTable::Row row, int slot, const QString& text);
    void OnTotalsChanged(qint64 up, qint64 down);
    void OnChartFed(const QList<float>& heights);
    void OnReplyForwarded(const QByteArray& unstuffed);
    void OnCommandWindowEnter();

    GsmrampSession* session_;
    QComboBox* band_;
    QComboBox* txLevel_;
    QComboBox* index_;
    QLineEdit* dac_;
    CLineChartCtrl* chart_;
    QLineEdit* upTotal_;
    QLineEdit* downTotal_;
    std::array<std::array<RampStepBox*, RampTable::kSteps>, 2> steps_{};
    QLineEdit* commandWindow_;
    QLineEdit* result_;
    QPushButton* call_;
    QPointer<CResultdispDlg> display_;
};
