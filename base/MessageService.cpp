#include "base/MessageService.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

class StderrSink final : public MessageSink {
public:
    void Show(const QString& text, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
    }
};

StderrSink g_defaultSink;
MessageSink* g_sink = &g_defaultSink;

} // namespace

void ShowMessage(const QString& text, MessageIcon icon) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(
            app, [text, icon] { g_sink->Show(text, icon); }, Qt::QueuedConnection);
        return;
    }
    g_sink->Show(text, icon);
}

MessageSink* SetMessageSink(MessageSink* sink) {
    MessageSink* previous = g_sink;
    g_sink = sink ? sink : &g_defaultSink;
    return previous == &g_defaultSink ? nullptr : previous;
}
