#include "widgets/OkfaildispDlg.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

COkfaildispDlg::COkfaildispDlg(const QString& message, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), message_(new QTextEdit(this)) {
    setModal(true);
    // Without a caption the window manager draws no edge either: the frame is our own.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);

    message_->setReadOnly(true);
    message_->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    message_->setPlainText(message);
    QFont big = message_->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    message_->setFont(big);

    auto* ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &COkfaildispDlg::accept);

    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(message_, 1);
    inner->addWidget(ok, 0, Qt::AlignHCenter);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    resize(300, 220);
    ok->setFocus();
}
