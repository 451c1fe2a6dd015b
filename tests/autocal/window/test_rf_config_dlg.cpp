#include "app/startup/CalibrationOptions.h"
#include "app/startup/StationStartup.h"
#include "autocal/window/RFConfigDlg.h"
#include "autocal/window/RfConfiguration.h"
#include "base/StationSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The fields as the configuration reads them.
enum : int {
    kGsmBch = 0,
    kPgsm2Tch = 2,
    kGsmLossMiddle = 4,
    kGsmLossLeft = 5,
    kDcsLossRight = 13,
    kTestSet = 14,
    kSupply = 15,
};

void Type(QComboBox& combo, const QString& text) {
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), text);
}

const QString kKeptKey = "AutoCal/Configuration";

// A settings file as a station keeps it, and what it says on the log as it is read.
class KeptConfiguration : public testing::Test {
protected:
    void TearDown() override { qInstallMessageHandler(nullptr); }

    QSettings& SettingsWith(const QByteArray& line) {
        QFile file(dir.filePath("Rftune.conf"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[AutoCal]\n" + line + "\n");
        file.close();
        settings.emplace(file.fileName(), QSettings::IniFormat);
        return *settings;
    }
    // The RF parameter configuration the command line gives rftune.
    static std::optional<CalibrationConfig> Given(const QStringList& options) {
        StationStartup startup("rftune", "A station.", StationStartup::kSimulate);
        AddCalibrationOptions(startup.Parser());
        QString error;
        std::optional<CalibrationConfig> given;
        EXPECT_TRUE(startup.Process(QStringList{"rftune"} + options, &error) &&
                    ReadGivenConfiguration(startup.Parser(), &given, &error))
            << error.toStdString();
        return given;
    }
    void RecordWarnings() {
        warnings_ = &warnings;
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings_->append(text);
        });
    }

    QTemporaryDir dir;
    std::optional<QSettings> settings;
    QStringList warnings;
    static inline QStringList* warnings_ = nullptr;
};

} // namespace

TEST(RfConfigDlg, opensWithTheStationsChoicesAndOkAppliesThemAsOneUnit) {
    RfConfiguration configuration;
    CRFConfigDlg dialog(configuration);
    EXPECT_EQ(dialog.windowTitle(), "RF Parameter Configuration");
    EXPECT_EQ(dialog.Field(kGsmBch).count(), 20);
    EXPECT_EQ(dialog.Field(kGsmBch).itemText(19), "200");
    EXPECT_EQ(dialog.Field(kPgsm2Tch).itemText(0), "NOT");
    EXPECT_EQ(dialog.Field(kGsmLossLeft).count(), 16);
    EXPECT_EQ(dialog.Field(kSupply).count(), 2);
    EXPECT_EQ(dialog.EgsmTch().currentText(), "1000");
    EXPECT_TRUE(dialog.Field(kTestSet).isEditable());
    int besideLosses = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        besideLosses += label->text() == "ONLY E5515" ? 1 : 0;
    EXPECT_EQ(besideLosses, 2);

    QSignalSpy changed(&configuration, &RfConfiguration::changed);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(configuration.Config(), (CalibrationConfig{.gsmBch = 80,
                                                         .gsmTch = {1, 62, 124},
                                                         .gsmLoss = {-1.3, -1.3, -1.3},
                                                         .dcsBch = 512,
                                                         .dcsTch = {512, 698, 885},
                                                         .dcsLoss = {-1.8, -1.8, -1.8},
                                                         .testSetType = kTestSet4400,
                                                         .supplyType = kSupply3632A}));
}

TEST(RfConfigDlg, whatTheOperatorChoosesOrTypesIsConvertedFieldByField) {
    RfConfiguration configuration;
    CRFConfigDlg dialog(configuration);
    dialog.Field(kPgsm2Tch).setCurrentText("NOT");
    Type(dialog.Field(kTestSet), "NOT USED");
    Type(dialog.Field(kSupply), "3633A");
    Type(dialog.Field(kGsmLossLeft), "-1.25");
    Type(dialog.Field(kGsmLossMiddle), "abc");
    Type(dialog.Field(kDcsLossRight), "-0.6");
    Type(dialog.Field(kGsmBch), "  +90x");
    // The EGSM channel is shown, not read.
    dialog.EgsmTch().setCurrentText("975");
    dialog.findChild<QPushButton*>()->click();
    const CalibrationConfig& applied = configuration.Config();
    EXPECT_EQ(applied.gsmTch[1], 0);
    EXPECT_EQ(applied.testSetType, kTestSetNone);
    EXPECT_EQ(applied.supplyType, kSupply3632A);
    EXPECT_EQ(applied.gsmLoss, (std::array<double, 3>{-1.25, 0.0, -1.3}));
    EXPECT_EQ(applied.dcsLoss, (std::array<double, 3>{-1.8, -1.8, -0.6}));
    EXPECT_EQ(applied.gsmBch, 90);
}

// Escape is KeptConfiguration's: it neither applies nor keeps.
TEST(RfConfigDlg, theCloseBoxLeavesTheConfigurationInForce) {
    RfConfiguration configuration;
    QSignalSpy changed(&configuration, &RfConfiguration::changed);
    CalibrationConfig inForce = DefaultConfig();
    inForce.gsmBch = 150;
    configuration.Apply(inForce);
    {
        // It opens with the usual choices, not with what is in force.
        CRFConfigDlg dialog(configuration);
        EXPECT_EQ(dialog.Field(kGsmBch).currentText(), "80");
        dialog.show();
        dialog.Field(kSupply).setCurrentText("3631A");
        dialog.close();
    }
    EXPECT_EQ(configuration.Config(), inForce);
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(KeptConfiguration,
       atStartTheCommandLineWinsOverWhatTheStationKeepsAndAMalformedValueIsIgnored) {
    RfConfiguration configuration;
    configuration.Start(std::nullopt, SettingsWith(""));
    EXPECT_EQ(configuration.Config(), CalibrationConfig{});
    EXPECT_TRUE(configuration.KeptTexts().isEmpty());

    const QByteArray kept = "80, 1, 62, 124, -1.5, -1.25, -1.3, 512, 512, NOT, 885, -1.8, -1.8, "
                            "-1.8, A8960 E5515B, 3633A";
    QSettings& station = SettingsWith("Configuration=" + kept);
    // Options that are not the configuration's give none.
    configuration.Start(Given({"--phone-name", "unit 7"}), station);
    EXPECT_EQ(configuration.KeptTexts(), QString::fromLatin1(kept).split(", "));
    const CalibrationConfig& inForce = configuration.Config();
    EXPECT_EQ(inForce.gsmLoss, (std::array<double, 3>{-1.25, -1.5, -1.3}));
    EXPECT_EQ(inForce.dcsTch, (std::array<std::int32_t, 3>{512, 0, 885}));
    EXPECT_EQ(inForce.testSetType, kTestSet8960);
    EXPECT_EQ(inForce.supplyType, kSupply3632A);

    // One option: the dialog's defaults with it, not what is kept; the dialog still opens with
    // what is kept.
    configuration.Start(Given({"--gsm-loss", "-1.1,-1.2,-1.4"}), station);
    CalibrationConfig given = DefaultConfig();
    given.gsmLoss = {-1.1, -1.2, -1.4};
    EXPECT_EQ(configuration.Config(), given);
    CRFConfigDlg dialog(configuration);
    EXPECT_EQ(dialog.Field(kGsmLossLeft).currentText(), "-1.25");
    EXPECT_EQ(dialog.Field(kGsmLossLeft).currentIndex(), -1); // typed, not one of the items
    EXPECT_EQ(dialog.Field(kPgsm2Tch).currentText(), "62");
    EXPECT_EQ(dialog.Field(kTestSet).currentText(), "A8960 E5515B");

    // A value that is not the sixteen texts is said once and ignored.
    RecordWarnings();
    configuration.Start(std::nullopt, SettingsWith("Configuration=80, 1, 62, W4400M"));
    EXPECT_EQ(configuration.Config(), CalibrationConfig{});
    EXPECT_TRUE(configuration.KeptTexts().isEmpty());
    EXPECT_EQ(warnings, QStringList{"[AutoCal] Configuration in the settings file holds 4 texts, "
                                    "not the sixteen of the RF parameter dialog: it is ignored"});
}

TEST_F(KeptConfiguration, keepForThisStationWritesTheTextsShownOnOkAndEscapeWritesNothing) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const auto kept = [] {
        return QSettings{QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)}
            .value(kKeptKey);
    };
    RfConfiguration configuration;
    const auto choose = [](CRFConfigDlg& dialog, bool keep) {
        dialog.show();
        Type(dialog.Field(kGsmLossLeft), "-1.25");
        dialog.Field(kTestSet).setCurrentText("A8960 E5515B");
        QCheckBox* box = dialog.findChild<QCheckBox*>();
        EXPECT_EQ(box->text(), "Keep for this station");
        EXPECT_FALSE(box->isChecked());
        box->setChecked(keep);
    };
    {
        CRFConfigDlg dialog(configuration);
        choose(dialog, true);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(configuration.Config(), CalibrationConfig{});
    {
        CRFConfigDlg dialog(configuration);
        choose(dialog, false);
        QTest::keyClick(&dialog, Qt::Key_Return);
    }
    EXPECT_FALSE(kept().isValid());
    EXPECT_TRUE(configuration.KeptTexts().isEmpty());

    CRFConfigDlg dialog(configuration);
    choose(dialog, true);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QStringList shown = DefaultDialogTexts();
    shown[kGsmLossLeft] = "-1.25";
    shown[kTestSet] = "A8960 E5515B";
    EXPECT_EQ(kept().toStringList(), shown);
    EXPECT_EQ(configuration.KeptTexts(), shown);
    EXPECT_EQ(configuration.Config(), ConfigFromDialogTexts(shown));
}
