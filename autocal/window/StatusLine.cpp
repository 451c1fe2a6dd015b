#include "autocal/window/StatusLine.h"

#include "widgets/Label.h"

namespace {

const QColor kNormalText(128, 255, 0);
const QColor kSuccessBackground(0, 255, 64);

} // namespace

namespace StatusLine {

void Show(CLabel& line, const QString& text, StatusStyle style) {
    switch (style) {
    case StatusStyle::Normal:
        line.SetTextColor(kNormalText).SetBkColor(Qt::black);
        break;
    case StatusStyle::Success:
        line.SetTextColor(Qt::black).SetBkColor(kSuccessBackground);
        break;
    case StatusStyle::Reset:
        line.SetFontSize(kFontPixels)
            .SetFontBold(true)
            .SetTextColor(kSuccessBackground)
            .SetBkColor(Qt::black);
        break;
    case StatusStyle::Unchanged:
        break;
    }
    line.SetText(text);
}

} // namespace StatusLine
