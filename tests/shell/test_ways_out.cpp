// Every window whose session runs a sequence, left by every way a window can go while the
// sequence runs, through the main frame on the simulated bench: the station lives on (under the
// sanitizer build), the window goes, and nothing more is written to the phone after the way out.
// The scan also switches the scanner off and closes its port, and keeps no record and prints no
// label; the calibration ends its run the safe way: the call ended, the test set preset and both
// instruments closed, while the window waits for the engine's stop without blocking, however long
// the engine is busy.
#include "app/startup/Simulation.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/window/AutocalSession.h"
#include "autocal/window/AutocalibDlg.h"
#include "base/StationClock.h"
#include "link/PortMap.h"
#include "sessions/ImeiFiles.h"
#include "sim/bench/SimBench.h"
#include "sim/wt4400/Virtual4400.h"
#include "station/CalibrationStation.h"
#include "station/EndingStations.h"
#include "tests/shell/FrameFixture.h"
#include "tests/support/ImeiBench.h"
#include "tests/support/RecordingMessageSink.h"
#include "tools/Gsmramp.h"
#include "tools/ImeiRw.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr double kTimeScale = 0.01;
constexpr int kBoundMs = 60000; // a way out that never ends the sequence fails here

enum class WayOut { Escape, ExitButton, CloseBox, TargetClose, MainWindowClose, Quit, Exit };

const std::vector<WayOut> kEveryWay = {
    WayOut::Escape,          WayOut::ExitButton, WayOut::CloseBox, WayOut::TargetClose,
    WayOut::MainWindowClose, WayOut::Quit,       WayOut::Exit};

const char* Name(WayOut way) {
    const char* const names[] = {"Escape",          "ExitButton", "CloseBox", "TargetClose",
                                 "MainWindowClose", "Quit",       "Exit"};
    return names[static_cast<int>(way)];
}

// Target > Close leaves the window open; every other way takes it.
bool TakesTheWindow(WayOut way) {
    return way != WayOut::TargetClose;
}

// The program ends: main() then destroys the frame and its windows.
bool EndsTheProgram(WayOut way) {
    return way == WayOut::Quit || way == WayOut::Exit;
}

class Station;

// One sequence of one window: how it starts, when it is under way, when it is over, and what
// must hold afterwards beside the window having gone.
struct Sequence {
    const char* name;
    FrameCommand command;
    const char* exitButton;
    std::vector<WayOut> ways;
    std::function<void(Station&)> prepare; // before the sequence, with the window open
    std::function<void(Station&)> start;   // from the event loop; may return only at its end
    // The moment for the way out; none: at once after the start, before any reply.
    std::function<bool(Station&)> underWay;
    std::function<bool(Station&)> over; // after the way out
    std::function<void(Station&)> check;
};

const std::vector<Sequence>& Sequences();

using Case = std::pair<const Sequence*, WayOut>;

class Station : public testing::TestWithParam<Case> {
public:
    void SetUp() override {
        StationClock::SetScale(kTimeScale);
        ASSERT_TRUE(dir.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path()); // where the tools' files go
        QFile reference(kSoftwareVersionFile);
        ASSERT_TRUE(reference.open(QIODevice::WriteOnly));
        reference.write("SIMFW V1.00");
        reference.close();
        QString error;
        bench = StartSimulation(BenchOptions{}, &error);
        ASSERT_TRUE(bench) << error.toStdString();
        document = std::make_unique<CRftuneDoc>();
        document->RfParameters().Apply(DefaultConfig());
        frame = std::make_unique<CMainFrame>(*document);
        // The IMEI tool with waits of a bench that answers at once.
        frame->AddTool({"imei", FrameCommand::ImeiRw, "IMEI R/W", ToolKind::Modeless,
                        [](const ToolParts& parts, QWidget* parent) -> QDialog* {
                            return new CImeiRw(parts.target, parent, QuickImeiTimings());
                        }});
        frame->show();
        frame->Action(FrameCommand::TargetOpen)->trigger();
        ASSERT_TRUE(document->Comm().IsConnected());
        messages.texts.clear();
    }

    void TearDown() override {
        QApplication::setQuitOnLastWindowClosed(false);
        frame.reset();
        document.reset();
        if (bench) {
            QString error;
            bench->Stop(&error);
        }
        PortMap::Instance().Clear();
        QDir::setCurrent(previousDir);
        StationClock::SetScale(1.0);
    }

    template <typename T = QWidget> T* Window() const { return qobject_cast<T*>(window.data()); }
    template <typename T> T* Find(const char* name) const {
        return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void Press(const char* button) const {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
    }
    const Firmware& Phone() const { return bench->Target().State(); }
    bool InCall() const {
        bool inCall = false;
        bench->Instruments().Run([&](Virtual4400&) { inCall = bench->Unit().CallStarted(); });
        return inCall;
    }
    QList<QByteArray> Lines4400() const {
        QList<QByteArray> lines;
        bench->Instruments().Run([&](Virtual4400& wt4400) { lines = wt4400.ReceivedLines(); });
        return lines;
    }
    QList<QByteArray> ScannerRequestsSinceWayOut() const {
        return bench->Scanner().Requests().mid(scannerRequestsAtWayOut);
    }
    bool WaitForStatus(const QString& text) {
        return QTest::qWaitFor([&] { return statuses.contains(text); }, kBoundMs);
    }
    void Apply(WayOut how);
    void MarkWayOut();
    bool HoldEngine();
    void ReleaseEngine();
    bool Over(const Sequence& sequence) {
        return sequence.over(*this) && (!TakesTheWindow(way) || window.isNull());
    }

    QTemporaryDir dir;
    QString previousDir;
    RecordingMessageSink messages;
    std::unique_ptr<SimBench> bench;
    std::unique_ptr<CRftuneDoc> document;
    std::unique_ptr<CMainFrame> frame;
    QPointer<QWidget> window;
    WayOut way = WayOut::Escape;
    QStringList statuses; // the calibration's status lines
    QObject statusScope;
    // What the station had written and been told when the way out came.
    long long bytesWrittenAtWayOut = 0;
    long long bytesReceivedAtWayOut = 0;
    qsizetype messagesAtWayOut = 0;
    qsizetype scannerRequestsAtWayOut = 0;
    int scannerDescriptors = 0;
    QByteArray eepromResultsAtWayOut;
    // The calibration engine kept busy across the way out, as by a fixed delay or a blocking
    // instrument call, until the event loop has turned after it.
    QSemaphore engineGate;
    std::atomic<bool> engineHeld{false};
    std::atomic<bool> engineGotOut{false};
    bool engineHoldAsked = false;
    bool engineReleased = false;
    bool windowWaitedForTheStop = false;
    bool stationEndingPastALimit = false;
};

bool Station::HoldEngine() {
    if (!std::exchange(engineHoldAsked, true))
        Window<CAutocalibDlg>()->Session().Station().Call([this](CalibrationEngine&) {
            engineHeld = true;
            engineGotOut = engineGate.tryAcquire(1, kBoundMs);
        });
    return engineHeld;
}

void Station::ReleaseEngine() {
    if (std::exchange(engineReleased, true))
        return;
    windowWaitedForTheStop = !window.isNull();
    stationEndingPastALimit = !document->Stations().WaitForAll(1);
    engineGate.release();
}

void Station::MarkWayOut() {
    bytesWrittenAtWayOut = document->Comm().BytesWritten();
    bytesReceivedAtWayOut = document->Comm().BytesReceived();
    messagesAtWayOut = messages.texts.size();
    scannerRequestsAtWayOut = bench->Scanner().Requests().size();
    eepromResultsAtWayOut = FileBytes(dir.filePath("Eepresult.txt"));
    bench->Instruments().Run([](Virtual4400& wt4400) { wt4400.ClearReceivedLines(); });
}

void Station::Apply(WayOut how) {
    switch (how) {
    case WayOut::Escape:
        QTest::keyClick(window, Qt::Key_Escape);
        break;
    case WayOut::ExitButton:
        Press(GetParam().first->exitButton);
        break;
    case WayOut::CloseBox:
        window->windowHandle()->close();
        break;
    case WayOut::TargetClose:
        frame->Action(FrameCommand::TargetClose)->trigger();
        break;
    case WayOut::MainWindowClose:
        frame->close();
        break;
    case WayOut::Quit:
        QCoreApplication::quit();
        break;
    case WayOut::Exit:
        QCoreApplication::exit(0);
        break;
    }
}

// What no sequence may do after its way out: write to the phone, or tell the operator anything
// but what the way out itself says.
void CheckNothingMoreSaidOrSent(Station& s) {
    EXPECT_EQ(s.document->Comm().BytesWritten(), s.bytesWrittenAtWayOut);
    const QStringList said = s.messages.texts.mid(s.messagesAtWayOut);
    EXPECT_EQ(said,
              s.way == WayOut::TargetClose ? QStringList{"Target Disconnected..."} : QStringList{});
}

// A step that follows a reply: the way out comes while the reply is on its way, and the reply
// then reaches nobody.
Sequence ReplyChain(const char* name, FrameCommand command, const char* exitButton,
                    std::function<void(Station&)> start) {
    return {name,
            command,
            exitButton,
            kEveryWay,
            [](Station&) {},
            std::move(start),
            nullptr,
            [](Station& s) {
                // Unless the way out closed the port first, the reply comes back.
                CComm& comm = s.document->Comm();
                return !comm.IsConnected() || comm.BytesReceived() > s.bytesReceivedAtWayOut;
            },
            [](Station& s) {
                CheckNothingMoreSaidOrSent(s);
                EXPECT_LE(s.bench->Target().PacketsReceived(), 1);
            }};
}

const std::vector<Sequence>& Sequences() {
    const auto scan = [](const char* name, std::function<bool(Station&)> underWay) {
        return Sequence{name,
                        FrameCommand::ImeiRw,
                        "exit",
                        kEveryWay,
                        [](Station& s) {
                            s.bench->Scanner().SetBarcodes({kImei});
                            s.scannerDescriptors = DescriptorsOpenOn(s.bench->ScannerDevice());
                        },
                        [](Station& s) { s.Press("scan"); },
                        std::move(underWay),
                        [](Station& s) {
                            // Once the window is gone, its session has gone with it.
                            auto* imei = s.Window<CImeiRw>();
                            return (!imei || !imei->Session().Sequence().IsRunning()) &&
                                   s.ScannerRequestsSinceWayOut().contains("LOFF\r");
                        },
                        [](Station& s) {
                            CheckNothingMoreSaidOrSent(s);
                            EXPECT_EQ(s.ScannerRequestsSinceWayOut(), QList<QByteArray>{"LOFF\r"});
                            EXPECT_FALSE(s.bench->Scanner().IsOn());
                            EXPECT_EQ(DescriptorsOpenOn(s.bench->ScannerDevice()),
                                      s.scannerDescriptors);
                            EXPECT_FALSE(QFile::exists(s.dir.filePath(kImeiResultFile)));
                            EXPECT_EQ(FileBytes(s.bench->PrinterFile()), QByteArray());
                        }};
    };
    static const std::vector<Sequence> sequences = {
        // Where the station ended before: deep in the scanner's exchange.
        scan("ScanWhileTheScannerReads",
             [](Station& s) { return !s.bench->Scanner().Requests().isEmpty(); }),
        scan("ScanWhileThePhoneAnswers",
             [](Station& s) { return s.bench->Target().PacketsReceived() > 0; }),
        {"EepromMapWalk", FrameCommand::EepromMap, "ok", kEveryWay, [](Station&) {},
         [](Station& s) { s.Press("read"); },
         [](Station& s) { return s.bench->Target().PacketsReceived() >= 3; },
         [](Station&) { return true; },
         [](Station& s) {
             CheckNothingMoreSaidOrSent(s);
             EXPECT_EQ(FileBytes(s.dir.filePath("Eepresult.txt")), s.eepromResultsAtWayOut);
         }},
        ReplyChain("LogicPanelTone", FrameCommand::LogicTest, "exit",
                   [](Station& s) {
                       s.Find<QLineEdit>("gain")->setText("5");
                       s.Press("spkTone"); // "spw 73 5", then "spw 74 1" on its reply
                   }),
        ReplyChain("RampEditorTxLevel", FrameCommand::GsmDcsRampTable, "ok",
                   [](Station& s) {
                       // "txpw 1 10", then the band's APC DAC read on its reply
                       s.Find<QComboBox>("txLevel")->setCurrentText("10");
                   }),
        // Escape never closes the station's window, and its engine has the port to itself.
        {"CalibrationRun",
         FrameCommand::AutoCalibration,
         "exit",
         {WayOut::ExitButton, WayOut::CloseBox, WayOut::MainWindowClose, WayOut::Quit,
          WayOut::Exit},
         [](Station& s) {
             auto* calibration = s.Window<CAutocalibDlg>();
             calibration->EnableEngineerControls(true);
             QObject::connect(&calibration->Session().Engine(), &CalibrationEngine::statusShown,
                              &s.statusScope,
                              [&s](const QString& text, StatusStyle) { s.statuses << text; });
             s.Press("instrumentCheck");
             ASSERT_TRUE(s.WaitForStatus("Checking the PHONE. Wait a moment !"));
         },
         [](Station& s) { s.Press("start"); },
         [](Station& s) { return s.InCall() && s.HoldEngine(); },
         [](Station& s) {
             s.ReleaseEngine();
             return !s.InCall() && s.bench->Instruments().Connections4400() == 0 &&
                    s.bench->Instruments().ConnectionsSupply() == 0;
         },
         [](Station& s) {
             EXPECT_TRUE(s.Lines4400().contains("*RST"));
             EXPECT_TRUE(s.engineGotOut); // the way out did not wait for the engine
             // The window waits for the stop, unless the program quits at once and takes it: its
             // station then ends after it, and the program's wait for that has a limit.
             EXPECT_NE(s.windowWaitedForTheStop, s.stationEndingPastALimit);
             EXPECT_TRUE(s.document->Stations().WaitForAll(kBoundMs));
         }},
    };
    return sequences;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const Sequence& sequence : Sequences()) {
        for (const WayOut way : sequence.ways)
            cases.emplace_back(&sequence, way);
    }
    return cases;
}

} // namespace

TEST_P(Station, aWindowLeftWhileItsSequenceRunsEndsItTheSafeWayAndGoes) {
    const Sequence& sequence = *GetParam().first;
    way = GetParam().second;
    window = frame->ShowTool(sequence.command);
    ASSERT_NE(window, nullptr);
    sequence.prepare(*this);
    if (HasFatalFailure())
        return;

    // The way out comes from a timer of the event loop the sequence waits in, and the test's
    // own loop ends once the sequence is over; a way that ends the program ends it by itself.
    bool applied = false;
    const auto wayOut = [&] {
        applied = true;
        MarkWayOut();
        Apply(way);
    };
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!applied && sequence.underWay && sequence.underWay(*this))
            wayOut();
        else if (applied && Over(sequence) && !EndsTheProgram(way))
            QCoreApplication::exit(0);
    });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    QTimer::singleShot(0, [&] {
        watch.start();
        sequence.start(*this);
        if (!sequence.underWay)
            wayOut();
    });
    bound.start(kBoundMs);
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_EQ(QCoreApplication::exec(), 0) << "the sequence or the program did not end";
    watch.stop();
    ASSERT_TRUE(applied);
    if (EndsTheProgram(way))
        frame.reset();

    ASSERT_TRUE(QTest::qWaitFor([&] { return Over(sequence); }, kBoundMs));
    EXPECT_EQ(window.isNull(), TakesTheWindow(way));
    sequence.check(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, Station, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.first->name) + "_" +
                                    Name(param.param.second);
                         });
