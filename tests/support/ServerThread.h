#pragma once

#include <QThread>

#include <functional>

class QObject;

// A thread with its own event loop for the servers of a test, so that the test may block its
// own thread in a driver call while a server answers.
class ServerThread {
public:
    ServerThread();
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Runs work in the thread and waits until it is done; create and destroy servers with it.
    void Run(const std::function<void()>& work);

private:
    QThread thread_;
    QObject* context_;
};
