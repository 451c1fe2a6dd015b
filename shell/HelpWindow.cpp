#include "shell/HelpWindow.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Rftune Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* page = new QTextBrowser(this);
    page->setOpenExternalLinks(true);
    page->setSource(QUrl(QString::fromLatin1(kPageUrl)));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &HelpWindow::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 560);
}
