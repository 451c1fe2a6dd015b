#pragma once

#include "shell/FrameCommands.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

// The main frame's one reference per modeless tool window. The first command creates the
// window, later ones bring it forward and make it the channel's receiver; closing the window
// deletes it and the reference clears itself, so a closed tool is never touched again.
class ModelessTools {
public:
    struct Tool {
        std::function<QWidget*(QWidget* parent)> create;
        // The frame minimises itself after showing such a tool. The tool then gets no parent:
        // a window owned by the frame would be minimised with it by the window manager.
        bool minimisesFrame = false;
    };

    ModelessTools() = default;
    ModelessTools(const ModelessTools&) = delete;
    ModelessTools& operator=(const ModelessTools&) = delete;
    ~ModelessTools(); // deletes the tools that have no parent

    void Define(FrameCommand command, Tool tool);
    bool IsDefined(FrameCommand command) const { return slots_.count(command) != 0; }
    bool MinimisesFrame(FrameCommand command) const;

    // Creates or brings forward the tool's window; nullptr when the command has no tool.
    QWidget* Show(FrameCommand command, QWidget* frame);
    QWidget* Window(FrameCommand command) const;
    // Asks every tool window to close. True when none is left; otherwise whenAllGone runs once
    // the last has gone: a closed window is deleted from the event loop, and one whose sequence
    // is running goes once that has unwound.
    bool CloseAll(std::function<void()> whenAllGone);

private:
    struct Slot {
        Tool tool;
        QPointer<QWidget> window;
    };

    static void BringForward(QWidget& window);
    bool AnyOpen() const;
    void OnToolGone();

    std::map<FrameCommand, Slot> slots_;
    std::function<void()> whenAllGone_;
    QObject watcher_; // the tools' destroyed() connections end with this object
};
