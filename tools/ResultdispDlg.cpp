#include "tools/ResultdispDlg.h"

#include "link/ReplyDecoder.h"
#include "widgets/History.h"

#include <QPushButton>
#include <QVBoxLayout>

CResultdispDlg::CResultdispDlg(QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      display_(new CHistory(this)) {
    setWindowTitle(QStringLiteral("Result Display"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CResultdispDlg::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(display_, 1);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(520, 440);
}

CResultdispDlg* CResultdispDlg::Open(QPointer<CResultdispDlg>& reference, QWidget* owner) {
    if (!reference)
        reference = new CResultdispDlg(owner);
    reference->show();
    reference->raise();
    reference->activateWindow();
    return reference.data();
}

void CResultdispDlg::ShowReply(const QByteArray& unstuffed) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(unstuffed.constData());
    for (const QString& line : ResultDisplayLines(bytes, static_cast<int>(unstuffed.size())))
        display_->AddLine(line);
}
