#pragma once

#include "base/MessageService.h"

// Shows the link's, the instruments' and the calibration's messages as message boxes over the
// active window, for as long as it is installed.
class MessageBoxSink final : public MessageSink {
public:
    MessageBoxSink();
    ~MessageBoxSink() override;
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;

    void Show(const QString& text, MessageIcon icon) override;

private:
    MessageSink* previous_;
};
