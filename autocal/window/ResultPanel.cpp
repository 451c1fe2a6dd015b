#include "autocal/window/ResultPanel.h"

#include "autocal/CalibrationPoints.h"
#include "autocal/CalibrationResults.h"
#include "autocal/window/ResultList.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kFirstGsmLevel = 5;
constexpr int kLevelWidth = 45;
constexpr int kDacWidth = 55;
constexpr int kChannelWidth = 40;
constexpr int kGainWidth = 115;

QStringList Numbers(int first, int count) {
    QStringList labels;
    for (int i = 0; i < count; ++i)
        labels << QString::number(first + i);
    return labels;
}

QStringList RxChannelLabels() {
    QStringList labels;
    for (const std::int32_t channel : kRxChannelTable)
        labels << QString::number(channel);
    return labels;
}

ResultList* MakeApcList(const char* band, QStringList rows, QWidget* parent) {
    const QString name = QLatin1String(band);
    return new ResultList({{QStringLiteral("level"), kLevelWidth},
                           {name + QLatin1Char('1'), kDacWidth},
                           {name + QLatin1Char('2'), kDacWidth},
                           {name + QLatin1Char('3'), kDacWidth}},
                          std::move(rows), parent);
}

QStringList DacTexts(const std::array<std::int32_t, 3>& dacs) {
    return {QString::number(dacs[0]), QString::number(dacs[1]), QString::number(dacs[2])};
}

QWidget* Captioned(const QString& caption, ResultList* list, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, box);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addStretch(1);
    return box;
}

} // namespace

ResultPanel::ResultPanel(QWidget* parent)
    : QWidget(parent),
      gsmApc_(MakeApcList("GSM", Numbers(kFirstGsmLevel, CalibrationResults::kGsmRows), this)),
      dcsApc_(MakeApcList("DCS", Numbers(0, CalibrationResults::kDcsRows), this)),
      rx_(new ResultList(
          {{QStringLiteral("channel"), kChannelWidth}, {QStringLiteral("RF GAIN"), kGainWidth}},
          RxChannelLabels(), this)) {
    gsmApc_->setObjectName("gsmApc");
    dcsApc_->setObjectName("dcsApc");
    rx_->setObjectName("rxCal");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Captioned(QStringLiteral("GSM APC"), gsmApc_, this));
    layout->addWidget(Captioned(QStringLiteral("DCS APC"), dcsApc_, this));
    layout->addWidget(Captioned(QStringLiteral("RX CAL."), rx_, this));
}

void ResultPanel::Clear() {
    gsmApc_->ResetRows();
    dcsApc_->ResetRows();
    rx_->ResetRows();
}

void ResultPanel::Show(ActiveCalibration calibration, const CalibrationResults& results) {
    switch (calibration) {
    case CAL_GSM_TX:
        for (int row = 0; row < CalibrationResults::kGsmRows; ++row)
            gsmApc_->SetRow(row, DacTexts(results.gsmApc[static_cast<std::size_t>(row)]));
        break;
    case CAL_DCS_TX:
        for (int row = 0; row < CalibrationResults::kDcsRows; ++row)
            dcsApc_->SetRow(row, DacTexts(results.dcsApc[static_cast<std::size_t>(row)]));
        break;
    case CAL_RX:
        for (int row = 0; row < kRxChannels; ++row)
            rx_->SetRow(row, {QString::number(results.rx[static_cast<std::size_t>(row)])});
        break;
    case CAL_GMAGIC:
    case CAL_BOARD:
    case CAL_NONE:
        break;
    }
}
