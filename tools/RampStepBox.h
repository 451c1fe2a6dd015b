#pragma once

#include <QAbstractSpinBox>

// The edit box of one ramp step with its spin arrows. Any text may be typed (the editor reads it
// as the encoder reads a number); the arrows step the box's value within 0..31 only and write
// it back as the box's integer text.
class RampStepBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 31;

    explicit RampStepBox(QWidget* parent = nullptr);

    void SetText(const QString& text);
    void stepBy(int steps) override;

signals:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
