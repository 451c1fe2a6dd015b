#include "autocal/window/RFConfigDlg.h"

#include "autocal/window/RfConfiguration.h"
#include "base/StationSettings.h"
#include "widgets/ProgramArt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

constexpr int kFieldCount = 16;
constexpr int kPictureSize = 64;
constexpr int kComboWidth = 110;

// Where each field sits among the sixteen.
enum FieldPosition {
    kGsmBch = 0,
    kGsmLoss2 = 4,
    kDcsBch = 7,
    kTestSetType = 14,
    kSupplyType = 15,
};

QStringList LossItems() {
    return {"0",    "-0.6", "-0.7", "-0.8", "-0.9", "-1.0", "-1.1", "-1.2",
            "-1.3", "-1.4", "-1.5", "-1.6", "-1.7", "-1.8", "-1.9", "-2.0"};
}

QStringList GsmBchItems() {
    QStringList items;
    for (int channel = 10; channel <= 200; channel += 10)
        items << QString::number(channel);
    return items;
}

// The lists the combo boxes are filled from, in the order of the sixteen fields.
std::vector<QStringList> FieldItems() {
    return {
        GsmBchItems(),
        {"NOT", "1", "20", "27", "30", "40", "45", "55"},
        {"NOT", "56", "60", "62", "70", "78", "80", "85", "100"},
        {"NOT", "101", "110", "112", "124"},
        LossItems(),
        LossItems(),
        LossItems(),
        {"512", "600", "660", "698", "700", "790", "835", "885"},
        {"NOT", "512", "570", "600", "631"},
        {"NOT", "632", "660", "692", "698", "700", "751"},
        {"NOT", "752", "790", "800", "818", "835", "885"},
        LossItems(),
        LossItems(),
        LossItems(),
        TestSetChoices(),
        SupplyChoices(),
    };
}

const QStringList kEgsmItems{"975", "980", "985", "990", "995", "1000", "1005", "1010", "1023"};
const QString kEgsmSelected = QStringLiteral("1000");

// A drop-down combo box whose edit field the operator may also type into; what is typed stays
// out of the list, and a kept text that was typed shows in the edit field.
QComboBox* MakeCombo(const QStringList& items, const QString& selected, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(static_cast<int>(items.indexOf(selected)));
    if (combo->currentIndex() < 0)
        combo->setEditText(selected);
    combo->setMinimumWidth(kComboWidth);
    return combo;
}

QLabel* Caption(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

} // namespace

CRFConfigDlg::CRFConfigDlg(RfConfiguration& configuration, QWidget* parent)
    : QDialog(parent), configuration_(configuration) {
    setWindowTitle(QStringLiteral("RF Parameter Configuration"));
    setModal(true);
    const std::vector<QStringList> items = FieldItems();
    // With the usual choices, OK would put them over what the station keeps, its measured cable
    // losses among them.
    const QStringList selected =
        configuration.KeptTexts().isEmpty() ? DefaultDialogTexts() : configuration.KeptTexts();
    for (int i = 0; i < kFieldCount; ++i)
        fields_.push_back(MakeCombo(items[static_cast<std::size_t>(i)], selected[i], this));
    egsm_ = MakeCombo(kEgsmItems, kEgsmSelected, this);

    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramIcon().pixmap(kPictureSize, kPictureSize));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(MakeApcGroup(), 1);
    auto* instruments = new QHBoxLayout;
    instruments->addWidget(MakeSingleGroup(QStringLiteral("EGSM"), QStringLiteral("TCH"), egsm_));
    instruments->addWidget(
        MakeSingleGroup(QStringLiteral("Test set"), QStringLiteral("TYPE"), fields_[kTestSetType]));
    instruments->addWidget(MakeSingleGroup(QStringLiteral("Power Supply"), QStringLiteral("TYPE"),
                                           fields_[kSupplyType]));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CRFConfigDlg::OnOk);
    keep_ = new QCheckBox(QStringLiteral("Keep for this station"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(keep_);
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(instruments);
    layout->addLayout(buttons);
}

QWidget* CRFConfigDlg::MakeApcGroup() {
    static const char* const kGsmColumns[3] = {"PGSM1", "PGSM2", "PGSM3"};
    static const char* const kDcsColumns[3] = {"DCS1", "DCS2", "DCS3"};
    auto* group = new QGroupBox(QStringLiteral("APC Calibration"), this);
    auto* grid = new QGridLayout(group);
    AddBandRows(grid, 0, kGsmBch, "GSM", kGsmColumns);
    AddBandRows(grid, 4, kDcsBch, "DCS", kDcsColumns);
    return group;
}

// A band's four rows: its BCH; the sub-band captions; the three TCH; the three losses, left to
// right loss 1, 2, 3, while the fields hold loss 2 first.
void CRFConfigDlg::AddBandRows(QGridLayout* grid, int firstRow, int firstField, const char* band,
                               const char* const (&columns)[3]) {
    QWidget* parent = grid->parentWidget();
    const QString name = QLatin1String(band);
    grid->addWidget(Caption(name + QStringLiteral(" BCH"), parent), firstRow, 0);
    grid->addWidget(fields_[static_cast<std::size_t>(firstField)], firstRow, 1);
    grid->addWidget(Caption(QStringLiteral("TCH"), parent), firstRow + 2, 0);
    grid->addWidget(Caption(name + QStringLiteral(" LOSS"), parent), firstRow + 3, 0);
    const int firstLoss = firstField + (kGsmLoss2 - kGsmBch);
    const int lossFields[3] = {firstLoss + 1, firstLoss, firstLoss + 2};
    for (int column = 0; column < 3; ++column) {
        auto* caption = Caption(QLatin1String(columns[column]), parent);
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(caption, firstRow + 1, column + 1);
        grid->addWidget(fields_[static_cast<std::size_t>(firstField + 1 + column)], firstRow + 2,
                        column + 1);
        grid->addWidget(fields_[static_cast<std::size_t>(lossFields[column])], firstRow + 3,
                        column + 1);
    }
    // The losses reach the test set only through the 8960's amplitude offset.
    grid->addWidget(Caption(QStringLiteral("ONLY E5515"), parent), firstRow + 3, 4);
}

QWidget* CRFConfigDlg::MakeSingleGroup(const QString& title, const QString& caption,
                                       QComboBox* combo) {
    auto* group = new QGroupBox(title, this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(Caption(caption, group));
    row->addWidget(combo, 1);
    return group;
}

void CRFConfigDlg::OnOk() {
    QStringList texts;
    for (const QComboBox* field : fields_)
        texts << field->currentText();
    configuration_.Apply(ConfigFromDialogTexts(texts));
    if (keep_->isChecked()) {
        QSettings settings{QLatin1String(kSettingsOrganization),
                           QLatin1String(kSettingsApplication)};
        configuration_.Keep(texts, settings);
    }
    accept();
}
