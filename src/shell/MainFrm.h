#pragma once

#include "FrameCommands.h"
#include "ModelessTools.h"

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
// starts every tool window. Later tools plug in with AddTool or SetCommandHandler, which also
// enables their menu items.
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
    void AddTool(FrameCommand command, ModelessTools::Tool tool);
    QWidget* ShowTool(FrameCommand command);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QMenu* CreateTargetMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateToolsMenuEntry(FrameCommand command);
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
};
