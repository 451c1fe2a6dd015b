#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class RfConfiguration;

// "RF Parameter Configuration": the channels, cable losses, test set and supply to calibrate
// with. Modal; it opens with the texts the station keeps, or else with its usual choices, not
// with the configuration in force. OK applies all sixteen values as one unit, and with "Keep for
// this station" keeps the texts for the next start; Escape or the close box leave the
// configuration as it was.
class CRFConfigDlg : public QDialog {
    Q_OBJECT
public:
    CRFConfigDlg(RfConfiguration& configuration, QWidget* parent = nullptr);

    // The sixteen combo boxes in the order the configuration reads them (see
    // ConfigFromDialogTexts), and the EGSM one, which is shown but not read.
    QComboBox& Field(int position) const { return *fields_.at(static_cast<std::size_t>(position)); }
    QComboBox& EgsmTch() const { return *egsm_; }

private:
    QWidget* MakeApcGroup();
    void AddBandRows(QGridLayout* grid, int firstRow, int firstField, const char* band,
                     const char* const (&columns)[3]);
    QWidget* MakeSingleGroup(const QString& title, const QString& caption, QComboBox* combo);
    void OnOk();

    RfConfiguration& configuration_;
    std::vector<QComboBox*> fields_;
    QComboBox* egsm_;
    QCheckBox* keep_;
};
