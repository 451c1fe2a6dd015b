#include "widgets/History.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(History, linesAreSeparatedByOneBreakWithNoneBeforeTheFirst) {
    CHistory history;
    history.AddLine("se 6");
    EXPECT_EQ(history.toPlainText(), "se 6");
    history.AddLine("Saved to EEPROM");
    EXPECT_EQ(history.toPlainText(), "se 6\nSaved to EEPROM");
    // A text with its own CR LF (a ramp block's two rows) adds two lines, not three.
    history.AddLine("1 2 3\r\n4 5 6");
    EXPECT_EQ(history.blockCount(), 4);
    EXPECT_EQ(history.toPlainText(), "se 6\nSaved to EEPROM\n1 2 3\n4 5 6");
}

TEST(History, theLastLineIsScrolledIntoView) {
    CHistory history;
    history.resize(200, 80);
    history.show();
    for (int i = 0; i < 50; ++i)
        history.AddLine(QString::number(i));
    QScrollBar* bar = history.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(History, clickingTheDisplayLeavesTheFocusWhereTyping) {
    QWidget window;
    auto* input = new QLineEdit(&window);
    auto* history = new CHistory(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(input);
    layout->addWidget(history);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    input->setFocus();
    QTest::mouseClick(history->viewport(), Qt::LeftButton);
    EXPECT_FALSE(history->hasFocus());
    EXPECT_TRUE(input->hasFocus());
}
