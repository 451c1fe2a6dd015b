#include "shell/ModelessTools.h"

#include "widgets/ChannelFollower.h"
#include "widgets/ShellLog.h"

#include <algorithm>
#include <utility>

ModelessTools::~ModelessTools() {
    for (auto& [command, slot] : slots_) {
        if (slot.window && !slot.window->parent())
            delete slot.window.data();
    }
}

void ModelessTools::Define(FrameCommand command, Tool tool) {
    slots_[command] = Slot{std::move(tool), nullptr};
}

bool ModelessTools::MinimisesFrame(FrameCommand command) const {
    auto it = slots_.find(command);
    return it != slots_.end() && it->second.tool.minimisesFrame;
}

QWidget* ModelessTools::Show(FrameCommand command, QWidget* frame) {
    auto it = slots_.find(command);
    if (it == slots_.end())
        return nullptr;
    Slot& slot = it->second;
    if (slot.window) {
        BringForward(*slot.window);
        ChannelFollower::RegisterWindow(slot.window);
        return slot.window;
    }
    QWidget* window = slot.tool.create(slot.tool.minimisesFrame ? nullptr : frame);
    window->setAttribute(Qt::WA_DeleteOnClose);
    slot.window = window;
    qCDebug(lcShell) << "created tool" << static_cast<int>(command) << window->windowTitle();
    BringForward(*window);
    return window;
}

QWidget* ModelessTools::Window(FrameCommand command) const {
    auto it = slots_.find(command);
    return it != slots_.end() ? it->second.window.data() : nullptr;
}

bool ModelessTools::CloseAll(std::function<void()> whenAllGone) {
    for (auto& [command, slot] : slots_) {
        if (slot.window)
            slot.window->close();
    }
    if (!AnyOpen())
        return true;
    whenAllGone_ = std::move(whenAllGone);
    for (auto& [command, slot] : slots_) {
        // Queued: the check runs once the window is wholly gone and its reference cleared.
        if (slot.window)
            QObject::connect(
                slot.window, &QObject::destroyed, &watcher_, [this] { OnToolGone(); },
                Qt::QueuedConnection);
    }
    return false;
}

bool ModelessTools::AnyOpen() const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [](const auto& entry) { return !entry.second.window.isNull(); });
}

void ModelessTools::OnToolGone() {
    if (!whenAllGone_ || AnyOpen())
        return;
    std::exchange(whenAllGone_, nullptr)();
}

void ModelessTools::BringForward(QWidget& window) {
    // Also shows a window that was hidden or minimised rather than closed.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}
