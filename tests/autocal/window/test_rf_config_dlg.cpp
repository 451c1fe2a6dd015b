#include "RFConfigDlg.h"
#include "RfConfiguration.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
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
    const CalibrationConfig& applied = configuration.Config();
    EXPECT_EQ(applied.gsmBch, 80);
    EXPECT_EQ(applied.gsmTch, (std::array<std::int32_t, 3>{1, 62, 124}));
    EXPECT_EQ(applied.gsmLoss, (std::array<double, 3>{-1.3, -1.3, -1.3}));
    EXPECT_EQ(applied.dcsBch, 512);
    EXPECT_EQ(applied.dcsTch, (std::array<std::int32_t, 3>{512, 698, 885}));
    EXPECT_EQ(applied.dcsLoss, (std::array<double, 3>{-1.8, -1.8, -1.8}));
    EXPECT_EQ(applied.testSetType, kTestSet4400);
    EXPECT_EQ(applied.supplyType, kSupply3632A);
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

TEST(RfConfigDlg, escapeAndTheCloseBoxLeaveTheConfigurationInForce) {
    RfConfiguration configuration;
    QSignalSpy changed(&configuration, &RfConfiguration::changed);
    {
        CRFConfigDlg dialog(configuration);
        dialog.show();
        dialog.Field(kGsmBch).setCurrentText("10");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(configuration.Config(), CalibrationConfig{});

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
