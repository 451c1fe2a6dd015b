#include "autocal/window/StatusLine.h"
#include "widgets/Label.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

bool Shows(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(StatusLine, eachStyleDrawsTheStationsColoursAndTheResetOneTheLargeBoldFont) {
    const QColor black(Qt::black);
    const QColor normalText(128, 255, 0);
    const QColor successGreen(0, 255, 64);
    CLabel line;
    line.resize(480, 64);
    line.setAlignment(Qt::AlignCenter);

    StatusLine::Show(line, QString(), StatusStyle::Reset);
    EXPECT_EQ(line.font().pixelSize(), StatusLine::kFontPixels);
    EXPECT_TRUE(line.font().bold());
    const QImage reset = line.grab().toImage();
    EXPECT_EQ(reset.pixelColor(2, 2), black);
    EXPECT_FALSE(Shows(reset, successGreen)); // nothing written

    StatusLine::Show(line, "Ready to Test. !", StatusStyle::Normal);
    const QImage normal = line.grab().toImage();
    EXPECT_EQ(normal.pixelColor(2, 2), black);
    EXPECT_TRUE(Shows(normal, normalText));

    StatusLine::Show(line, "Calibration Success....", StatusStyle::Success);
    const QImage success = line.grab().toImage();
    EXPECT_EQ(success.pixelColor(2, 2), successGreen);
    EXPECT_TRUE(Shows(success, black));

    // A new text in the style already shown.
    StatusLine::Show(line, "RF DATA RESET", StatusStyle::Unchanged);
    EXPECT_EQ(line.text(), "RF DATA RESET");
    EXPECT_EQ(line.grab().toImage().pixelColor(2, 2), successGreen);
}
