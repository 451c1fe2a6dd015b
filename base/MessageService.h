#pragma once

#include <QString>

// The one way the link, the instruments and the calibration tell the operator something in a
// box: windows install a sink that shows a message box, headless tools print, tests record.
enum class MessageIcon { Information, Exclamation, Error };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const QString& text, MessageIcon icon) = 0;
};

// Shows text through the installed sink (the default prints to standard error). The sink runs on
// the application's thread: from another thread (the calibration's) the text is handed over and
// shown there, without waiting for the operator, so that no thread waits on a box.
void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::Information);

// Installs sink (nullptr restores the default) and returns the one it replaces; on the
// application's thread. The caller keeps ownership and must uninstall the sink before destroying
// it.
MessageSink* SetMessageSink(MessageSink* sink);
