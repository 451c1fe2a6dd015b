#pragma once

#include "link/PortMap.h"
#include "shell/MainFrm.h"
#include "shell/RftuneDoc.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessageSink.h"

#include <QAction>
#include <QDir>
#include <gtest/gtest.h>

// How many descriptors of this process are open on device.
inline int DescriptorsOpenOn(const QString& device) {
    const QDir fds(QStringLiteral("/proc/self/fd"));
    int n = 0;
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        n += fd.symLinkTarget() == device ? 1 : 0;
    return n;
}

// A main frame whose COM1 is a real pseudo-terminal with a fake target behind it; message
// boxes are recorded instead of shown.
class FrameFixture : public testing::Test {
protected:
    FrameFixture() { PortMap::Instance().Set(CMainFrame::kTargetPort, pty.SlavePath()); }
    ~FrameFixture() override { PortMap::Instance().Clear(); }

    void Trigger(FrameCommand command) { frame.Action(command)->trigger(); }
    CComm& Comm() { return document.Comm(); }

    PtyPair pty;
    FakeTarget target{pty};
    RecordingMessageSink messages;
    CRftuneDoc document;
    CMainFrame frame{document};
};
