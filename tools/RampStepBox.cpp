#include "tools/RampStepBox.h"

#include "link/Bcommand.h"

#include <QLineEdit>

#include <algorithm>

RampStepBox::RampStepBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setAlignment(Qt::AlignRight);
    connect(lineEdit(), &QLineEdit::textChanged, this, &RampStepBox::textChanged);
}

void RampStepBox::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void RampStepBox::stepBy(int steps) {
    const QByteArray bytes = text().toUtf8();
    const qint64 value =
        ParseDecWord(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    SetText(QString::number(std::clamp<qint64>(value + steps, kMinimum, kMaximum)));
}
