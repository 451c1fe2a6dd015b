#pragma once

#include "shell/FrameCommands.h"
#include "shell/ModelessTools.h"
#include "shell/StationTools.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>

#include <functional>

class CRftuneDoc;
class HelpWindow;
class LockIndicators;
class QAction;
class QMenu;

// The main window: menu, toolbar and status bar; it opens and closes the target port and
// starts every tool window of the station's tool list. A command's item stays disabled until the
// command has a handler.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTargetPort = 1;
    static constexpr int kTargetBaud = 115200;

    explicit CMainFrame(CRftuneDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CRftuneDoc& Document() { return document_; }

    // The action of a command of the menu (or of the Tools menu once that tool exists).
    QAction* Action(FrameCommand command) const { return actions_.value(command); }
    ModelessTools& Tools() { return tools_; }
    LockIndicators& Indicators() { return *indicators_; }

    void SetCommandHandler(FrameCommand command, std::function<void()> handler);
    // Gives tool's command its handler, and an item under Tools when the menu has none for it.
    void AddTool(const StationTool& tool);
    QWidget* ShowTool(FrameCommand command);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The program asked to quit ends the way closing the main window ends it: the tools first,
    // then the port, whatever order the window system would close the windows in.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    QMenu* CreateTargetMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateToolsMenuEntry(const StationTool& tool);
    void RunModal(const ToolFactory& create);
    ToolParts Parts();
    QAction* AddCommand(QMenu* menu, FrameCommand command, const QString& caption);

    void OnTargetOpen();
    void OnTargetClose();
    void OnExit();
    void OnPortSettings();
    void OnHelpTopics();
    void OnAbout();
    void OnPortLost(const QString& reason);

    CRftuneDoc& document_;
    ModelessTools tools_;
    QMap<FrameCommand, QAction*> actions_;
    QMenu* toolsMenu_ = nullptr;
    LockIndicators* indicators_ = nullptr;
    QPointer<HelpWindow> help_;
    bool quitWhenClosed_ = false;
};
