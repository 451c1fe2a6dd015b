#include "widgets/History.h"

#include <QScrollBar>

CHistory::CHistory(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CHistory::AddLine(const QString& text) {
    // The text widget takes a lone CR as a paragraph break too: CR LF must not become two.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    appendPlainText(line);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
