#pragma once

#include <QDialog>

class QComboBox;
class QSettings;

// Which Linux device stands for COM1 (the target) and COM2 (the barcode scanner). OK puts the
// choice into the process-wide port map and keeps it in the station's settings.
class CPortSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTargetPort = 1;
    static constexpr int kScannerPort = 2;

    explicit CPortSettingsDlg(QWidget* parent = nullptr);

    QComboBox& DeviceField(int comNumber);

    // Applies the fields to the port map and saves the map into settings.
    void Apply(QSettings& settings);

private:
    QComboBox* MakeDeviceField(int comNumber);
    void OnAccepted();

    QComboBox* target_;
    QComboBox* scanner_;
};
