#pragma once

#include "sessions/EepromMapFiles.h"
#include "widgets/TargetWindow.h"

class CComm;
class EepromMapSession;
enum class EepromWalkEnd;
class QListWidget;
class QPushButton;

// The EEPROM map viewer: READ lists the target's EEPROM byte by byte, CLEAR empties the list,
// "Save as..." keeps the map read as a binary image or a hex dump, OK closes the window. The
// EepromMapSession does the work; this is its view.
class CEepmapDlg : public TargetWindow {
    Q_OBJECT
public:
    explicit CEepmapDlg(CComm& comm, QWidget* parent = nullptr);

    EepromMapSession& Session() { return *session_; }
    QListWidget& List() { return *list_; }

    // Saves the map read to path; a failure is told in a box.
    void SaveMap(const QString& path, EepromMapFormat format);

private:
    void OnSaveAs();
    void OnWalkEnded(EepromWalkEnd end);
    void OnMapChanged();

    EepromMapSession* session_;
    QListWidget* list_;
    QPushButton* saveAs_;
};
