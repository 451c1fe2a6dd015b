#include "tests/support/ServerThread.h"

#include <QMetaObject>
#include <QObject>

ServerThread::ServerThread() : context_(new QObject) {
    context_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

ServerThread::~ServerThread() {
    thread_.quit();
    thread_.wait();
}

void ServerThread::Run(const std::function<void()>& work) {
    QMetaObject::invokeMethod(context_, work, Qt::BlockingQueuedConnection);
}
