#pragma once

#include <QDialog>

class QComboBox;
class QSettings;

// Which Linux device stands for COM1 (the target) and COM2 (the barcode scanner). OK puts the
// devices the operator changed into the process-wide port map and keeps them in the station's
// settings; a field left as it was keeps nothing, so that a mapping for this run only (--port,
// a simulated bench's pseudo-terminal) never becomes the next start's.
class CPortSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTargetPort = 1;
    static constexpr int kScannerPort = 2;

    explicit CPortSettingsDlg(QWidget* parent = nullptr);

    QComboBox& DeviceField(int comNumber);

    // Applies the changed fields to the port map and keeps them in settings.
    void Apply(QSettings& settings);

private:
    QComboBox* MakeDeviceField(int comNumber);
    void OnAccepted();

    QComboBox* target_;
    QComboBox* scanner_;
};
