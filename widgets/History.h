#pragma once

#include <QPlainTextEdit>

// A read-only display of a growing list of lines (command echoes, reply texts). It never takes
// the input focus, so typing goes on in the field the operator was using.
class CHistory : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CHistory(QWidget* parent = nullptr);

    // Appends text as the last line and scrolls it into view. A text may carry its own line
    // breaks (CR LF or LF); each becomes one further line.
    void AddLine(const QString& text);
};
