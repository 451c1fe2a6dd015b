// The main frame's menu, toolbar and status bar.
#include "shell/LockIndicators.h"
#include "shell/MainFrm.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>

namespace {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

// A toolbar button the station never gave a handler: present, and disabled.
QAction* AddInactive(QToolBar* toolBar, const QIcon& icon, const QString& caption) {
    QAction* action = toolBar->addAction(icon, caption);
    action->setEnabled(false);
    return action;
}

} // namespace

QAction* CMainFrame::AddCommand(QMenu* menu, FrameCommand command, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setEnabled(false); // until the command gets its handler
    actions_.insert(command, action);
    return action;
}

void CMainFrame::CreateMenus() {
    CreateTargetMenu();

    QMenu* autoCal = menuBar()->addMenu(QStringLiteral("Auto Cal [&A]"));
    AddCommand(autoCal, FrameCommand::RfParameterSetting, QStringLiteral("RF Parameter Setting"));
    AddCommand(autoCal, FrameCommand::AutoCalibration, QStringLiteral("AutoCalibration"));

    QMenu* manual = menuBar()->addMenu(QStringLiteral("Manual Cal[&M]"));
    AddCommand(manual, FrameCommand::GsmDcsRampTable, QStringLiteral("GSM / DCS Ramp table"));
    AddCommand(manual, FrameCommand::InputWindow, QStringLiteral("Input Window"))
        ->setStatusTip(QStringLiteral("Type target commands and read the replies"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("HELP(&H)"));
    AddCommand(help, FrameCommand::HelpTopics, QStringLiteral("도움말 항목(&H)"))
        ->setShortcut(QKeySequence::HelpContents);
    AddCommand(help, FrameCommand::About, QStringLiteral("Rftune 정보(&A)..."));
    SetCommandHandler(FrameCommand::HelpTopics, [this] { OnHelpTopics(); });
    SetCommandHandler(FrameCommand::About, [this] { OnAbout(); });
}

QMenu* CMainFrame::CreateTargetMenu() {
    QMenu* target = menuBar()->addMenu(QStringLiteral("Target(&T)"));
    AddCommand(target, FrameCommand::TargetOpen, QStringLiteral("Open"))
        ->setStatusTip(QStringLiteral("Open the target port (COM1, 115200 baud)"));
    AddCommand(target, FrameCommand::TargetClose, QStringLiteral("Close"))
        ->setStatusTip(QStringLiteral("Close the target port"));
    AddCommand(target, FrameCommand::TargetReset, QStringLiteral("Reset"));
    AddCommand(target, FrameCommand::SaveAsFile, QStringLiteral("&Save as File"));
    AddCommand(target, FrameCommand::PortSettings, QStringLiteral("Port Settings..."))
        ->setStatusTip(QStringLiteral("Choose the devices of COM1 and COM2"));
    target->addSeparator();
    AddCommand(target, FrameCommand::Exit, QStringLiteral("Exit (&X)"))
        ->setStatusTip(QStringLiteral("Close the target port and quit"));
    SetCommandHandler(FrameCommand::TargetOpen, [this] { OnTargetOpen(); });
    SetCommandHandler(FrameCommand::TargetClose, [this] { OnTargetClose(); });
    SetCommandHandler(FrameCommand::PortSettings, [this] { OnPortSettings(); });
    SetCommandHandler(FrameCommand::Exit, [this] { OnExit(); });
    return target;
}

void CMainFrame::CreateToolsMenuEntry(const StationTool& tool) {
    if (actions_.contains(tool.command) || tool.toolsCaption.isEmpty())
        return;
    // The first tool the menu never had an item for brings the Tools menu, before HELP.
    if (!toolsMenu_)
        toolsMenu_ = menuBar()
                         ->insertMenu(menuBar()->actions().constLast(),
                                      new QMenu(QStringLiteral("&Tools"), this))
                         ->menu();
    AddCommand(toolsMenu_, tool.command, tool.toolsCaption);
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Standard"));
    bar->setObjectName("standardToolBar");
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    // The document has no content of its own to create, load, save or print.
    AddInactive(bar, ThemeIcon("document-new", QStyle::SP_FileIcon), QStringLiteral("New"));
    AddInactive(bar, ThemeIcon("document-open", QStyle::SP_DialogOpenButton),
                QStringLiteral("Open"));
    AddInactive(bar, ThemeIcon("document-save", QStyle::SP_DialogSaveButton),
                QStringLiteral("Save"));
    bar->addSeparator();
    AddInactive(bar, ThemeIcon("edit-cut", QStyle::SP_DialogDiscardButton), QStringLiteral("Cut"));
    AddInactive(bar, ThemeIcon("edit-copy", QStyle::SP_FileLinkIcon), QStringLiteral("Copy"));
    AddInactive(bar, ThemeIcon("edit-paste", QStyle::SP_DialogApplyButton),
                QStringLiteral("Paste"));
    bar->addSeparator();
    AddInactive(bar, ThemeIcon("document-print", QStyle::SP_ComputerIcon), QStringLiteral("Print"));
    bar->addSeparator();
    QAction* about = bar->addAction(ThemeIcon("help-about", QStyle::SP_MessageBoxInformation),
                                    QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAbout);
    QAction* contextHelp = QWhatsThis::createAction(bar);
    contextHelp->setIcon(ThemeIcon("help-contextual", QStyle::SP_TitleBarContextHelpButton));
    bar->addAction(contextHelp);
    AddInactive(bar, ThemeIcon("system-run", QStyle::SP_DriveNetIcon), QString());
}

void CMainFrame::CreateStatusBar() {
    // A normal widget of the status bar shows whenever no fly-by text covers it.
    statusBar()->addWidget(new QLabel(QStringLiteral("Ready"), statusBar()), 1);
    indicators_ = new LockIndicators(*statusBar());
}
