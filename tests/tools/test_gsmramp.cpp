#include "link/LinkTexts.h"
#include "sessions/GsmrampSession.h"
#include "sim/bench/SimBench.h"
#include "tests/support/RecordingMessageSink.h"
#include "tools/Gsmramp.h"
#include "tools/LineChartCtrl.h"
#include "tools/RampStepBox.h"
#include "tools/ResultdispDlg.h"
#include "widgets/History.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

// The ramp table editor on the simulated bench: a virtual phone on a real pseudo-terminal that
// keeps 31 ramp templates, the editor's window offscreen, its replies shown in a Result Display.

namespace {

constexpr int kShortReplyTimeoutMs = 300;
const QString kSeparator(68, '-');
const QColor kRamp(0, 255, 0);

using Template = std::array<int, 32>;

class RampEditorTest : public testing::Test {
protected:
    void Start(BenchOptions options = {}) {
        bench = std::make_unique<SimBench>(options);
        QString error;
        ASSERT_TRUE(bench->Start(&error)) << error.toStdString();
        ASSERT_EQ(comm.OpenDevice(bench->TargetDevice(), 115200), 1);
        editor = std::make_unique<CGsmramp>(comm);
        editor->Session().Link().SetReplyTimeoutMs(kShortReplyTimeoutMs);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }

    QComboBox& Choice(const char* name) { return *editor->findChild<QComboBox*>(name); }
    QLineEdit& Edit(const char* name) { return *editor->findChild<QLineEdit*>(name); }
    QPushButton& Button(const char* name) { return *editor->findChild<QPushButton*>(name); }

    // Clicks and waits until no reply is awaited any more, follow-up commands included.
    bool Click(const char* name) {
        Button(name).click();
        return WaitIdle();
    }
    bool WaitIdle() {
        return QTest::qWaitFor([&] { return !editor->Session().Link().ReplyTimerActive(); }, 5000);
    }
    bool TypeInCommandWindow(const QString& line) {
        QTest::keyClicks(&Edit("commandWindow"), line);
        QTest::keyClick(&Edit("commandWindow"), Qt::Key_Return);
        return WaitIdle();
    }

    QStringList Shown() {
        return editor->ResultDisplay()->Display().toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    QStringList Boxes() {
        QStringList texts;
        for (const auto row : {RampTable::Up, RampTable::Down})
            for (int slot = 0; slot < RampTable::kSteps; ++slot)
                texts << editor->Step(row, slot).text();
        return texts;
    }
    Template Kept(int index) {
        Template values{};
        const auto& ramp = bench->Target().State().Rf().ramps[static_cast<std::size_t>(index)];
        std::copy(ramp.begin(), ramp.end(), values.begin());
        return values;
    }

    RecordingMessageSink messages;
    std::unique_ptr<SimBench> bench;
    CComm comm;
    std::unique_ptr<CGsmramp> editor;
};

QStringList Texts(const Template& values) {
    QStringList texts;
    for (const int v : values)
        texts << QString::number(v);
    return texts;
}

// The row each of the 32 chart steps of the bench's raised-cosine template ends on in the 160
// pixels of the chart, worked out by hand: the ramp climbs by up[i]/31 for the first 15 up steps,
// falls by down[i]/31 for the first 15 down steps and holds twice; a height h of 0..10 is drawn
// on row 160 * (10 - h) / 10, the height 0 on the bottom row.
constexpr int kRaisedCosineRows[32] = {159, 159, 157, 155, 151, 146, 140, 132, 122, 112, 99,
                                       86,  71,  56,  40,  56,  72,  87,  102, 115, 128, 138,
                                       148, 156, 159, 159, 159, 159, 159, 159, 159, 159};

// The chart as it is on the screen: the picture shown 18 pixels left of where it is held.
QImage OnScreen(CLineChartCtrl& chart) {
    return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The rows of ramp-coloured pixels in column x.
std::vector<int> RampRows(const QImage& image, int x) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == kRamp)
            rows.push_back(y);
    return rows;
}

// After one redraw the step k (0..31) ends at the right-hand end of its 18 pixels, 31 - k steps
// left of the newest, which ends one step left of the chart's uncovered right-hand step.
int StepEnd(int k) {
    return CGsmramp::kChartSize.width() - 1 - 18 * (31 - k) - 18;
}

void ExpectChartShowsTheRaisedCosine(CLineChartCtrl& chart) {
    const QImage image = OnScreen(chart);
    ASSERT_EQ(image.height(), 160);
    for (int k = 0; k < 32; ++k) {
        const std::vector<int> found = RampRows(image, StepEnd(k));
        EXPECT_NE(std::find(found.begin(), found.end(), kRaisedCosineRows[k]), found.end())
            << "step " << k << " should end on row " << kRaisedCosineRows[k];
    }
    for (int x = image.width() - 18; x < image.width(); ++x)
        EXPECT_EQ(image.pixelColor(x, image.height() / 2), CLineChartCtrl::kBackground) << x;
}

} // namespace

// A DAC read back is the reply's word, which the target session's tests read whole when both its
// bytes travel stuffed; the display shows it through ResultDisplayLines.
TEST_F(RampEditorTest, aTxLevelSelectsItsRampIndexAndReadsTheDacOfTheChosenBand) {
    Start();
    Button("displayWindow").click();
    Choice("band").setCurrentText("632~751"); // band index 4: "spw 31" / "spr 31"
    Edit("dac").setText("700");
    ASSERT_TRUE(Click("saveDac"));
    EXPECT_EQ(Edit("result").text(), "command success");
    Edit("dac").clear();

    Choice("txLevel").setCurrentText("100"); // "txpw 1 100", then the band's DAC read
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Choice("index").currentText(), "15");
    EXPECT_EQ(Edit("dac").text(), "700");
    EXPECT_EQ(Shown(), (QStringList{kSeparator, "index = 31 ", kSeparator, "index = 1 ", kSeparator,
                                    "index = 31 , value = 700"}));

    // The same level typed in the command window moves INDEX too, but reads no DAC.
    Choice("index").setCurrentText("3");
    editor->ResultDisplay()->Display().clear();
    ASSERT_TRUE(TypeInCommandWindow("txpw 1 100"));
    EXPECT_TRUE(Edit("commandWindow").text().isEmpty());
    EXPECT_EQ(Choice("index").currentText(), "15");
    EXPECT_EQ(Shown(), (QStringList{kSeparator, "index = 1 "}));
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RampEditorTest, aLoadedTemplateFillsTheBoxesAndTotalsAndIsDrawnStepByStep) {
    Start();
    Choice("index").setCurrentText("3");
    ASSERT_TRUE(Click("load"));
    const Template raisedCosine = Kept(3);
    EXPECT_EQ(Boxes(), Texts(raisedCosine));
    const auto sum = [&](int first) {
        return QString::number(
            std::accumulate(raisedCosine.begin() + first, raisedCosine.begin() + first + 16, 0));
    };
    EXPECT_EQ(Edit("upTotal").text(), sum(0));
    EXPECT_EQ(Edit("downTotal").text(), sum(16));
    EXPECT_EQ(Edit("result").text(), "command success");
    ExpectChartShowsTheRaisedCosine(editor->Chart());
}

TEST_F(RampEditorTest, aTemplateOfFFBytesShowsMinusOneEverywhereAndAFlatLineAlongTheBottom) {
    Start();
    // 255 is written as the byte 0xFF, which the target reads back as -1.
    for (const auto row : {RampTable::Up, RampTable::Down})
        for (int slot = 0; slot < RampTable::kSteps; ++slot)
            editor->Step(row, slot).SetText("255");
    EXPECT_EQ(Edit("upTotal").text(), "4080");
    Choice("index").setCurrentText("9");
    ASSERT_TRUE(Click("saveTemplate"));
    EXPECT_EQ(Edit("result").text(), "Writing Success");
    Template minusOnes;
    minusOnes.fill(-1);
    EXPECT_EQ(Kept(9), minusOnes);

    Choice("index").setCurrentText("2");
    ASSERT_TRUE(Click("load"));
    Choice("index").setCurrentText("9");
    ASSERT_TRUE(Click("load"));
    EXPECT_EQ(Boxes(), QStringList(32, "-1"));
    EXPECT_EQ(Edit("upTotal").text(), "-16");
    EXPECT_EQ(Edit("downTotal").text(), "-16");
    Choice("index").setCurrentText("10"); // saved as loaded, the steps stay -1
    ASSERT_TRUE(Click("saveTemplate"));
    EXPECT_EQ(Kept(10), minusOnes);
    const QImage image = OnScreen(editor->Chart());
    const int bottom = image.height() - 1;
    for (int x = StepEnd(0) - 17; x <= StepEnd(31); ++x)
        EXPECT_EQ(RampRows(image, x), std::vector<int>{bottom}) << x;
}

TEST_F(RampEditorTest, beforeTheFirstLoadEditingUpdatesTheTotalsButNotTheChart) {
    Start();
    const QImage blank = OnScreen(editor->Chart());
    editor->Step(RampTable::Up, 0).SetText("7");
    editor->Step(RampTable::Down, 15).SetText("-3");
    QTest::keyClick(&editor->Step(RampTable::Up, 1), Qt::Key_Up); // the spin arrow writes "1"
    EXPECT_EQ(editor->Step(RampTable::Up, 1).text(), "1");
    EXPECT_EQ(Edit("upTotal").text(), "8");
    EXPECT_EQ(Edit("downTotal").text(), "-3");
    EXPECT_FALSE(editor->Session().ChartReady());
    EXPECT_EQ(OnScreen(editor->Chart()), blank);
    EXPECT_TRUE(RampRows(blank, 100).empty());
}

TEST_F(RampEditorTest, applyRampIndexFollowsALoadWithTxpw5AndAnEmptyIndexLoadsTemplate0) {
    Start();
    Button("displayWindow").click();
    ASSERT_TRUE(Click("load")); // INDEX still empty: "ttr " reads template 0
    EXPECT_EQ(Shown().value(1), "Up Ramp Templete #0");
    EXPECT_EQ(Boxes(), Texts(Kept(0)));

    editor->findChild<QCheckBox*>("applyIndex")->click();
    EXPECT_TRUE(editor->Session().ApplyIndex());
    Choice("index").setCurrentText("7");
    editor->ResultDisplay()->Display().clear();
    ASSERT_TRUE(Click("load"));
    EXPECT_EQ(Shown().value(1), "Up Ramp Templete #7");
    EXPECT_EQ(Shown().mid(5), (QStringList{kSeparator, "index = 5 "})); // "txpw 5 7"
    ASSERT_TRUE(TypeInCommandWindow("txpr 5"));
    EXPECT_EQ(Shown().last(), "index = 5 , value = 7");
}

TEST_F(RampEditorTest, theButtonsSaveResetAndCallAndCallToggles) {
    Start();
    Button("displayWindow").click();
    ASSERT_TRUE(Click("saveToEep"));
    EXPECT_EQ(Edit("result").text(), "Saved to EEPROM");
    ASSERT_TRUE(Click("resetEep"));
    EXPECT_EQ(Edit("result").text(), "Target Resetted");
    ASSERT_TRUE(Click("call"));
    EXPECT_EQ(Button("call").text(), "CALL END");
    ASSERT_TRUE(Click("call"));
    EXPECT_EQ(Button("call").text(), "CALL");
    EXPECT_EQ(Shown(), (QStringList{kSeparator, "index = 1 ", kSeparator, "index = 5 ", kSeparator,
                                    "index = 100 ", kSeparator, "index = 101 "}));
    ASSERT_TRUE(TypeInCommandWindow("11")); // the test code: no command of this editor
    EXPECT_EQ(Edit("result").text(), "Error!(Invalid command)");
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RampEditorTest, aLateReplyToTheCommandBeforeIsACommandErrorAndTheAwaitedOneStillComes) {
    BenchOptions slow;
    slow.targetLine.delayMs = 100;
    Start(slow);
    Button("call").click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench->Target().PacketsReceived() == 1; }, 5000));
    Choice("index").setCurrentText("4");
    Button("load").click(); // the answer to "se 100" comes while "ttr 4" is awaited
    ASSERT_TRUE(QTest::qWaitFor([&] { return Boxes() == Texts(Kept(4)); }, 5000));
    EXPECT_EQ(messages.texts, QStringList{"command error"});
    EXPECT_EQ(Edit("result").text(), "command success");
}

TEST_F(RampEditorTest, aStatusErrorIsReportedAndTheTimeoutFollows) {
    BenchOptions refusing;
    refusing.targetFaults.statusErrorEveryNth = 1;
    Start(refusing);
    Button("load").click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.texts.size() == 2; }, 5000));
    EXPECT_EQ(messages.texts, (QStringList{"status error", "No response"}));
    EXPECT_EQ(Edit("result").text(), "Status error");
    EXPECT_FALSE(editor->Session().ChartReady());
}

TEST_F(RampEditorTest, withThePortClosedCheckedCommandsSayNotConnectedAndTheOthersTimeOut) {
    Start();
    comm.Close();
    const QString notConnected = QString::fromUtf8(kNotConnectedText);
    Button("load").click();
    Choice("txLevel").setCurrentText("5");
    QTest::keyClicks(&Edit("commandWindow"), "ttr 3");
    QTest::keyClick(&Edit("commandWindow"), Qt::Key_Return);
    EXPECT_EQ(Edit("commandWindow").text(), "ttr 3"); // kept for when the port is open
    EXPECT_EQ(messages.texts, QStringList(3, notConnected));
    EXPECT_FALSE(editor->Session().Link().ReplyTimerActive());

    ASSERT_TRUE(Click("call"));
    EXPECT_EQ(Button("call").text(), "CALL END");
    EXPECT_EQ(messages.texts.last(), "No response");
}
