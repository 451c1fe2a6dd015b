#include "tools/EepmapDlg.h"

#include "base/MessageService.h"
#include "sessions/EepromMapSession.h"
#include "tools/PanelWidgets.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kImageFilter = QStringLiteral("Binary image (*.bin)");
const QString kHexDumpFilter = QStringLiteral("Hex dump (*.txt)");
} // namespace

CEepmapDlg::CEepmapDlg(CComm& comm, QWidget* parent)
    : TargetWindow(QStringLiteral("EEPROM MAP"), parent),
      session_(new EepromMapSession(comm, this)), list_(new QListWidget(this)),
      saveAs_(MakePanelButton(QStringLiteral("Save as..."), "saveAs", this)) {
    list_->setObjectName("map");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPushButton* read = MakePanelButton(QStringLiteral("READ"), "read", this);
    QPushButton* clear = MakePanelButton(QStringLiteral("CLEAR"), "clear", this);
    QPushButton* ok = MakePanelButton(QStringLiteral("OK"), "ok", this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(read);
    buttons->addWidget(clear);
    buttons->addWidget(saveAs_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(360, 520);

    connect(read, &QPushButton::clicked, session_, &EepromMapSession::Read);
    connect(clear, &QPushButton::clicked, session_, &EepromMapSession::Clear);
    connect(saveAs_, &QPushButton::clicked, this, &CEepmapDlg::OnSaveAs);
    connect(ok, &QPushButton::clicked, this, &CEepmapDlg::close);
    connect(session_, &EepromMapSession::byteListed, list_,
            qOverload<int, const QString&>(&QListWidget::insertItem));
    connect(session_, &EepromMapSession::cleared, list_, &QListWidget::clear);
    connect(session_, &EepromMapSession::byteListed, this, &CEepmapDlg::OnMapChanged);
    connect(session_, &EepromMapSession::cleared, this, &CEepmapDlg::OnMapChanged);
    connect(session_, &EepromMapSession::walkEnded, this, &CEepmapDlg::OnWalkEnded);
    OnMapChanged();
    AttachSession(session_->Target(), NotConnectedNotice::Silent);
}

void CEepmapDlg::SaveMap(const QString& path, EepromMapFormat format) {
    QString error;
    if (!session_->Save(path, format, &error))
        ShowMessage(QStringLiteral("The EEPROM map was not saved.\n%1").arg(error),
                    MessageIcon::Error);
}

void CEepmapDlg::OnSaveAs() {
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save the EEPROM map"), QStringLiteral("eeprom.bin"),
        kImageFilter + QStringLiteral(";;") + kHexDumpFilter, &filter);
    if (path.isEmpty())
        return;
    SaveMap(path, filter == kHexDumpFilter ? EepromMapFormat::HexDump : EepromMapFormat::Image);
}

void CEepmapDlg::OnWalkEnded(EepromWalkEnd end) {
    switch (end) {
    case EepromWalkEnd::Complete:
        ShowMessage(QString::fromLatin1(EepromMapSession::kReadingEndText));
        break;
    case EepromWalkEnd::NoReply:
        ShowMessage(QString::fromLatin1(EepromMapSession::kSerialCommErrorText),
                    MessageIcon::Exclamation);
        break;
    case EepromWalkEnd::BadBlock:
        break;
    }
}

void CEepmapDlg::OnMapChanged() {
    saveAs_->setEnabled(!session_->Map().isEmpty());
}
