#include "shell/MainFrm.h"

#include "base/MessageService.h"
#include "shell/AboutDlg.h"
#include "shell/HelpWindow.h"
#include "shell/PortSettingsDlg.h"
#include "shell/RftuneDoc.h"
#include "shell/RftuneView.h"
#include "widgets/ProgramArt.h"
#include "widgets/ShellLog.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QStatusBar>

#include <memory>

namespace {
const char* const kTitle = "RF CALIBRATION PROGRAM QM310QT310 V1.4";
}

CMainFrame::CMainFrame(CRftuneDoc& document, QWidget* parent)
    : QMainWindow(parent), document_(document) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(ProgramIcon());
    setCentralWidget(new CRftuneView(this));
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    resize(1000, 680);

    for (const StationTool& tool : StationTools())
        AddTool(tool);
    connect(&document_.Comm(), &CComm::portLost, this, &CMainFrame::OnPortLost);
    QCoreApplication::instance()->installEventFilter(this);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetCommandHandler(FrameCommand command, std::function<void()> handler) {
    QAction* action = actions_.value(command);
    if (!action)
        return;
    action->setEnabled(true);
    disconnect(action, &QAction::triggered, this, nullptr); // a tool defined again replaces
    connect(action, &QAction::triggered, this, std::move(handler));
}

void CMainFrame::AddTool(const StationTool& tool) {
    CreateToolsMenuEntry(tool);
    if (tool.kind == ToolKind::Modal) {
        SetCommandHandler(tool.command, [this, create = tool.create] { RunModal(create); });
        return;
    }
    tools_.Define(tool.command, {[this, create = tool.create](QWidget* parent) -> QWidget* {
                                     return create(Parts(), parent);
                                 },
                                 tool.kind == ToolKind::ModelessMinimisingFrame});
    SetCommandHandler(tool.command, [this, command = tool.command] { ShowTool(command); });
}

void CMainFrame::RunModal(const ToolFactory& create) {
    const std::unique_ptr<QDialog> dialog(create(Parts(), this));
    dialog->exec();
}

ToolParts CMainFrame::Parts() {
    return {document_.Comm(), document_.RfParameters(), document_.Stations()};
}

QWidget* CMainFrame::ShowTool(FrameCommand command) {
    QWidget* tool = tools_.Show(command, this);
    if (tool && tools_.MinimisesFrame(command))
        showMinimized();
    return tool;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The tools go first, so that a calibration run or a scan cycle ends the safe way while the
    // target port is still open; the frame closes once the last of them has gone.
    if (!tools_.CloseAll([this] { close(); })) {
        event->ignore();
        return;
    }
    document_.Comm().Close();
    event->accept();
    if (quitWhenClosed_)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A tool whose sequence runs refuses to close until it has unwound; asked before the frame,
    // it would keep the program from ending.
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && isVisible()) {
        quitWhenClosed_ = true;
        event->ignore();
        close();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnTargetOpen() {
    CComm& comm = document_.Comm();
    if (comm.Open(kTargetPort, kTargetBaud)) {
        qCInfo(lcShell) << "target port open:" << comm.Device();
        ShowMessage(QStringLiteral("serial port opened..."));
        return;
    }
    qCWarning(lcShell) << "target port failed:" << comm.LastError();
    ShowMessage(QStringLiteral("serial port error !!!\n\n%1").arg(comm.LastError()),
                MessageIcon::Error);
}

void CMainFrame::OnTargetClose() {
    document_.Comm().Close();
    ShowMessage(QStringLiteral("Target Disconnected..."));
}

void CMainFrame::OnExit() {
    close(); // which closes the port once the tools have gone
}

void CMainFrame::OnPortSettings() {
    CPortSettingsDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnHelpTopics() {
    if (!help_)
        help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnPortLost(const QString& reason) {
    statusBar()->showMessage(QStringLiteral("Target port lost: %1").arg(reason));
}
