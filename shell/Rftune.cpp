#include "shell/Rftune.h"

#include "base/StationSettings.h"
#include "shell/MainFrm.h"
#include "shell/RftuneDoc.h"
#include "station/EndingStations.h"
#include "widgets/ShellLog.h"
#include "widgets/SplashWnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

CRftuneApp::CRftuneApp(Options options) : options_(options) {}

CRftuneApp::~CRftuneApp() = default;

void CRftuneApp::SetApplicationIdentity() {
    QCoreApplication::setOrganizationName(QLatin1String(kSettingsOrganization));
    QCoreApplication::setApplicationName(QLatin1String(kSettingsApplication));
    QGuiApplication::setApplicationDisplayName(QLatin1String(kSettingsApplication));
}

void CRftuneApp::InitInstance() {
    document_ = std::make_unique<CRftuneDoc>();
    frame_ = std::make_unique<CMainFrame>(*document_);
    if (options_.splash)
        ShowSplashDuringWait();
    frame_->show();
    qCInfo(lcShell) << "main window up";
}

bool CRftuneApp::ExitInstance(int timeoutMs) {
    frame_.reset();
    return document_->Stations().WaitForAll(timeoutMs);
}

void CRftuneApp::ShowSplashDuringWait() {
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(frame_.get());
    if (!splash)
        return;
    // The wait keeps events flowing, so that the picture paints and a key press ends it early.
    QEventLoop wait;
    QTimer::singleShot(options_.startupWaitMs, &wait, &QEventLoop::quit);
    QObject::connect(splash, &QObject::destroyed, &wait, &QEventLoop::quit);
    wait.exec();
    if (splash)
        splash->StartDisplayTimer();
}
