#include "base/StationSettings.h"
#include "shell/LockIndicators.h"
#include "shell/PortSettingsDlg.h"
#include "tests/shell/FrameFixture.h"
#include "tools/EepmapDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) {
        if (!action->isSeparator())
            captions << action->text() + (action->isEnabled() ? "" : " (disabled)");
    }
    return captions;
}

// Runs fn on the modal dialog that the next call opens, then closes that dialog.
void OnNextModal(std::function<void(QWidget&)> fn) {
    QTimer::singleShot(0, [fn] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        fn(*modal);
        modal->close();
    });
}

using MainFrame = FrameFixture;

} // namespace

TEST_F(MainFrame, menuCarriesEveryItemInOrderWithUnhandledOnesDisabled) {
    EXPECT_EQ(frame.windowTitle(), "RF CALIBRATION PROGRAM QM310QT310 V1.4");
    const QList<QAction*> menus = frame.menuBar()->actions();
    EXPECT_EQ(Captions(menus),
              (QStringList{"Target(&T)", "Auto Cal [&A]", "Manual Cal[&M]", "&Tools", "HELP(&H)"}));
    EXPECT_EQ(Captions(menus[0]->menu()->actions()),
              (QStringList{"Open", "Close", "Reset", "&Save as File (disabled)", "Port Settings...",
                           "Exit (&X)"}));
    EXPECT_EQ(Captions(menus[1]->menu()->actions()),
              (QStringList{"RF Parameter Setting", "AutoCalibration"}));
    EXPECT_EQ(Captions(menus[2]->menu()->actions()),
              (QStringList{"GSM / DCS Ramp table", "Input Window"}));
    EXPECT_EQ(Captions(menus[3]->menu()->actions()),
              (QStringList{"RF TEST", "Logic Test", "IMEI R/W", "EEPROM MAP", "Records"}));
    EXPECT_EQ(Captions(menus[4]->menu()->actions()),
              (QStringList{"도움말 항목(&H)", "Rftune 정보(&A)..."}));
}

TEST_F(MainFrame, openTwiceSaysOpenedTwiceAndLeavesOnePortOpen) {
    const int before = DescriptorsOpenOn(pty.SlavePath()); // the test's pty keeps its own
    Trigger(FrameCommand::TargetOpen);
    Trigger(FrameCommand::TargetOpen);
    EXPECT_EQ(messages.texts, (QStringList{"serial port opened...", "serial port opened..."}));
    EXPECT_TRUE(Comm().IsConnected());
    EXPECT_EQ(DescriptorsOpenOn(pty.SlavePath()), before + 1);
    Trigger(FrameCommand::TargetClose);
    EXPECT_EQ(messages.texts.last(), "Target Disconnected...");
    EXPECT_FALSE(Comm().IsConnected());
    EXPECT_EQ(DescriptorsOpenOn(pty.SlavePath()), before);
}

TEST_F(MainFrame, openFailureSaysSerialPortErrorWithTheDeviceAndTheReason) {
    PortMap::Instance().Set(CMainFrame::kTargetPort, "/dev/rftune-no-such-port");
    Trigger(FrameCommand::TargetOpen);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("serial port error !!!\n"));
    EXPECT_TRUE(messages.texts[0].contains("/dev/rftune-no-such-port"));
    EXPECT_FALSE(Comm().IsConnected());
}

TEST_F(MainFrame, exitAndTheCloseBoxCloseThePortBeforeTheWindowGoes) {
    const int before = DescriptorsOpenOn(pty.SlavePath());
    for (const bool viaExit : {true, false}) {
        frame.show();
        Trigger(FrameCommand::TargetOpen);
        ASSERT_TRUE(Comm().IsConnected());
        bool connectedWhenHidden = true;
        QObject scope; // ends the connection with the iteration
        QObject::connect(frame.windowHandle(), &QWindow::visibleChanged, &scope,
                         [&] { connectedWhenHidden = Comm().IsConnected(); });
        if (viaExit)
            Trigger(FrameCommand::Exit);
        else
            frame.close();
        EXPECT_FALSE(frame.isVisible());
        EXPECT_FALSE(connectedWhenHidden);
        EXPECT_EQ(DescriptorsOpenOn(pty.SlavePath()), before);
    }
}

TEST_F(MainFrame, rfParameterSettingIsModalAndItsOkReplacesTheDocumentsConfiguration) {
    QString title;
    OnNextModal([&](QWidget& dialog) {
        title = dialog.windowTitle();
        dialog.findChild<QPushButton*>()->click();
    });
    Trigger(FrameCommand::RfParameterSetting);
    EXPECT_EQ(title, "RF Parameter Configuration");
    EXPECT_EQ(document.RfParameters().Config(), DefaultConfig());
}

TEST_F(MainFrame, resetAsksFirstAndTheEepromMapOpensOnce) {
    QString title;
    OnNextModal([&](QWidget& reset) {
        title = reset.windowTitle();
        QTest::mouseClick(reset.findChild<QPushButton*>("no"), Qt::LeftButton);
    });
    Trigger(FrameCommand::TargetReset);
    EXPECT_EQ(title, "E2P Reset");
    EXPECT_TRUE(target.Packets().isEmpty());

    Trigger(FrameCommand::EepromMap);
    Trigger(FrameCommand::EepromMap);
    const QList<CEepmapDlg*> maps = frame.findChildren<CEepmapDlg*>();
    ASSERT_EQ(maps.size(), 1);
    EXPECT_EQ(maps[0]->windowTitle(), "EEPROM MAP");
}

TEST_F(MainFrame, aboutBoxShowsItsTitleAndHistory) {
    QStringList texts;
    QString title;
    OnNextModal([&](QWidget& about) {
        title = about.windowTitle();
        for (const QLabel* label : about.findChildren<QLabel*>())
            texts << label->text();
    });
    Trigger(FrameCommand::About);
    EXPECT_EQ(title, "Rftune 정보");
    EXPECT_TRUE(texts.contains("RF CALIBRATION V1.0"));
    EXPECT_TRUE(texts.contains("2002. 08.21  1.1 version - 32.0 -> 31.9"));
}

TEST_F(MainFrame, helpTopicsOpenTheHelpPageThatComesWithTheProgram) {
    Trigger(FrameCommand::HelpTopics);
    Trigger(FrameCommand::HelpTopics);
    const QList<QTextBrowser*> pages = frame.findChildren<QTextBrowser*>();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0]->toPlainText().contains("Manual command window"));
    EXPECT_TRUE(pages[0]->window()->isVisible());
}

TEST_F(MainFrame, portSettingsKeepWhatTheOperatorChangedAndNeverAMappingForThisRun) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("Rftune.conf"), QSettings::IniFormat);
    const QString com1Key = QString(kSettingsPortsGroup) + "/COM1";
    const QString com2Key = QString(kSettingsPortsGroup) + "/COM2";
    settings.setValue(com1Key, "/dev/ttyS4");
    PortMap::Instance().Load(settings);

    // COM1 is the fixture's pseudo-terminal, mapped for this run only, as --simulate maps it.
    CPortSettingsDlg dialog(&frame);
    EXPECT_EQ(dialog.DeviceField(1).currentText(), pty.SlavePath());
    dialog.DeviceField(2).setEditText(" /dev/ttyUSB1 ");
    dialog.Apply(settings);
    EXPECT_EQ(PortMap::Instance().DeviceFor(1), pty.SlavePath());
    EXPECT_EQ(PortMap::Instance().DeviceFor(2), "/dev/ttyUSB1");
    settings.sync();
    EXPECT_EQ(settings.value(com1Key).toString(), "/dev/ttyS4");
    EXPECT_EQ(settings.value(com2Key).toString(), "/dev/ttyUSB1");

    CPortSettingsDlg again(&frame);
    again.DeviceField(1).setEditText("/dev/ttyUSB0");
    again.Apply(settings);
    EXPECT_EQ(PortMap::Instance().DeviceFor(1), "/dev/ttyUSB0");
    settings.sync();
    EXPECT_EQ(settings.value(com1Key).toString(), "/dev/ttyUSB0");

    // The next start finds what was kept.
    PortMap::Instance().Clear();
    PortMap::Instance().Load(settings);
    EXPECT_EQ(PortMap::Instance().DeviceFor(1), "/dev/ttyUSB0");
    EXPECT_EQ(PortMap::Instance().DeviceFor(2), "/dev/ttyUSB1");
}

TEST_F(MainFrame, lockIndicatorsFollowTheLockKeys) {
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::keyClick(frame.windowHandle(), Qt::Key_CapsLock);
    QTest::keyClick(frame.windowHandle(), Qt::Key_ScrollLock);
    EXPECT_TRUE(frame.Indicators().CapsOn());
    EXPECT_TRUE(frame.Indicators().ScrollOn());
    EXPECT_FALSE(frame.Indicators().NumOn());
    QTest::keyClick(frame.windowHandle(), Qt::Key_CapsLock);
    EXPECT_FALSE(frame.Indicators().CapsOn());
}
