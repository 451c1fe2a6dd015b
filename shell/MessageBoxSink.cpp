#include "shell/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

MessageBoxSink::MessageBoxSink() : previous_(SetMessageSink(this)) {}

MessageBoxSink::~MessageBoxSink() {
    SetMessageSink(previous_);
}

void MessageBoxSink::Show(const QString& text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
