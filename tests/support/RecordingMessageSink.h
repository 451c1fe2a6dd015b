#pragma once

#include "base/MessageService.h"

#include <QStringList>

// Installs itself as the message service for its lifetime and keeps every text shown.
class RecordingMessageSink final : public MessageSink {
public:
    RecordingMessageSink() : previous_(SetMessageSink(this)) {}
    ~RecordingMessageSink() override { SetMessageSink(previous_); }
    RecordingMessageSink(const RecordingMessageSink&) = delete;
    RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

    void Show(const QString& text, MessageIcon) override { texts.append(text); }

    QStringList texts;

private:
    MessageSink* previous_;
};
