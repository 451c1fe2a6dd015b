#include "widgets/Label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

CLabel::CLabel(QWidget* parent)
    : QLabel(parent), background_(palette().color(QPalette::Button)),
      alternate_(palette().color(QPalette::Button)) {
    setAutoFillBackground(false);
    blinkTimer_.setInterval(kBlinkPeriodMs);
    connect(&blinkTimer_, &QTimer::timeout, this, &CLabel::OnBlinkTick);
}

CLabel& CLabel::SetText(const QString& text) {
    setText(text);
    RedrawNow();
    return *this;
}

CLabel& CLabel::SetTextColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    RedrawNow();
    return *this;
}

CLabel& CLabel::SetBkColor(const QColor& colour) {
    background_ = QBrush(colour);
    RedrawNow();
    return *this;
}

CLabel& CLabel::SetFontBold(bool on) {
    QFont f = font();
    f.setWeight(static_cast<QFont::Weight>(on ? kBoldWeight : kNormalWeight));
    ApplyFont(f);
    return *this;
}

CLabel& CLabel::SetFontItalic(bool on) {
    QFont f = font();
    f.setItalic(on);
    ApplyFont(f);
    return *this;
}

CLabel& CLabel::SetFontUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    ApplyFont(f);
    return *this;
}

CLabel& CLabel::SetFontSize(int size) {
    QFont f = font();
    f.setPixelSize(size);
    ApplyFont(f);
    return *this;
}

CLabel& CLabel::SetFontName(const QString& face) {
    QFont f = font();
    f.setFamily(face);
    ApplyFont(f);
    return *this;
}

CLabel& CLabel::SetSunken(bool on) {
    sunken_ = on;
    UpdateFrame();
    return *this;
}

CLabel& CLabel::SetBorder(bool on) {
    border_ = on;
    UpdateFrame();
    return *this;
}

CLabel& CLabel::SetLink(bool on) {
    clickable_ = on;
    return *this;
}

CLabel& CLabel::SetLinkCursor(const QCursor& cursor) {
    setCursor(cursor);
    return *this;
}

CLabel& CLabel::FlashText(bool on) {
    StopBlinking();
    if (on) {
        savedText_ = text();
        StartBlinking(BlinkKind::Text);
    }
    return *this;
}

CLabel& CLabel::FlashBackground(bool on) {
    StopBlinking();
    if (on)
        StartBlinking(BlinkKind::Background);
    return *this;
}

void CLabel::StopBlinking() {
    // Only text blinking hides the text; switching from background blinking must not bring back
    // a text saved by an earlier text blinking.
    if (blinkKind_ == BlinkKind::Text)
        setText(savedText_);
    blinkTimer_.stop();
    blinkKind_ = BlinkKind::None;
    RedrawNow();
}

void CLabel::StartBlinking(BlinkKind kind) {
    phase_ = false;
    blinkKind_ = kind;
    blinkTimer_.start();
    RedrawNow();
}

void CLabel::OnBlinkTick() {
    phase_ = !phase_;
    if (blinkKind_ == BlinkKind::Text)
        setText(phase_ ? QString() : savedText_);
    RedrawNow();
}

void CLabel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const bool offPhase = blinkKind_ == BlinkKind::Background && !phase_;
        painter.fillRect(rect(), offPhase ? alternate_ : background_);
    }
    QLabel::paintEvent(event);
}

void CLabel::mousePressEvent(QMouseEvent* event) {
    if (clickable_)
        QDesktopServices::openUrl(QUrl::fromUserInput(text()));
    QLabel::mousePressEvent(event);
}

void CLabel::ApplyFont(const QFont& font) {
    setFont(font);
    RedrawNow();
}

void CLabel::UpdateFrame() {
    if (sunken_)
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (border_)
        setFrameStyle(QFrame::Box | QFrame::Plain);
    else
        setFrameStyle(QFrame::NoFrame);
    setLineWidth(1);
    RedrawNow();
}

void CLabel::RedrawNow() {
    if (isVisible())
        repaint();
}
