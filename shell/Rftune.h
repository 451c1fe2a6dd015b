#pragma once

#include "shell/MessageBoxSink.h"

#include <memory>

class CMainFrame;
class CRftuneDoc;

// The station application: one document (the target channel), the main frame, the message
// boxes. Needs a QApplication; the caller runs its event loop after InitInstance.
class CRftuneApp {
public:
    static constexpr int kStartupWaitMs = 2500;

    struct Options {
        bool splash = true;
        int startupWaitMs = kStartupWaitMs;
    };

    explicit CRftuneApp(Options options);
    ~CRftuneApp();
    CRftuneApp(const CRftuneApp&) = delete;
    CRftuneApp& operator=(const CRftuneApp&) = delete;

    // Creates document and frame, shows the splash for the start-up wait, then the main window.
    void InitInstance();
    // After the event loop: the main frame and its windows go, then the calibration stations
    // still ending a run get up to timeoutMs. False when one has not ended; it still uses the
    // channel, which must then not go.
    bool ExitInstance(int timeoutMs);

    CRftuneDoc& Document() { return *document_; }
    CMainFrame* MainFrame() const { return frame_.get(); }

    // The settings key the whole station shares (organisation and application name).
    static void SetApplicationIdentity();

private:
    void ShowSplashDuringWait();

    Options options_;
    MessageBoxSink messageBoxes_;
    std::unique_ptr<CRftuneDoc> document_;
    std::unique_ptr<CMainFrame> frame_; // after document_: its tools use the channel
};
