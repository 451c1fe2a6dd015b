#pragma once

#include <QBrush>
#include <QLabel>
#include <QTimer>

// A label for large coloured status texts: own colours and font, a sunken edge or a border,
// text or background blinking, and an optional link behaviour (a click opens the text with the
// desktop's handler). Every setter returns the label so that calls chain, and repaints at once
// because callers change it in the middle of blocking sequences.
class CLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int kBlinkPeriodMs = 500;
    static constexpr int kBoldWeight = 700;
    static constexpr int kNormalWeight = 400;

    explicit CLabel(QWidget* parent = nullptr);

    CLabel& SetText(const QString& text);
    CLabel& SetTextColor(const QColor& colour);
    CLabel& SetBkColor(const QColor& colour);
    CLabel& SetFontBold(bool on);
    CLabel& SetFontItalic(bool on);
    CLabel& SetFontUnderline(bool on);
    CLabel& SetFontSize(int size); // character height in pixels
    CLabel& SetFontName(const QString& face);
    CLabel& SetSunken(bool on);
    CLabel& SetBorder(bool on);
    CLabel& SetLink(bool on);
    CLabel& SetLinkCursor(const QCursor& cursor);
    CLabel& FlashText(bool on);
    CLabel& FlashBackground(bool on);

    bool IsBlinking() const { return blinkTimer_.isActive(); }
    int BlinkPeriodMs() const { return blinkTimer_.interval(); }
    void SetBlinkPeriodMs(int ms) { blinkTimer_.setInterval(ms); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    enum class BlinkKind { None, Text, Background };

    void StopBlinking();
    void StartBlinking(BlinkKind kind);
    void OnBlinkTick();
    void ApplyFont(const QFont& font);
    void UpdateFrame();
    void RedrawNow();

    QBrush background_;
    QBrush alternate_;
    QString savedText_;
    bool phase_ = false;
    BlinkKind blinkKind_ = BlinkKind::None;
    bool sunken_ = false;
    bool border_ = false;
    bool clickable_ = false;
    QTimer blinkTimer_; // timer 1
};
