#pragma once

#include "tests/support/PanelBench.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A hands-on panel shown on the bench, its replies awaited only briefly.
template <typename Panel> class PanelTest : public PanelBench {
protected:
    void SetUp() override {
        PanelBench::SetUp();
        panel.Session().Link().SetReplyTimeoutMs(kShortTimeoutMs);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }

    void Click(const char* button) {
        QTest::mouseClick(panel.template findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // Clicks the button and waits for the phone's answer.
    void Press(const char* button) {
        Click(button);
        ASSERT_TRUE(WaitAnswered(panel.Session().Link())) << button;
    }
    QString Result() { return panel.template findChild<QLineEdit*>("result")->text(); }

    Panel panel{comm};
};
