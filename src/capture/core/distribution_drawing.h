#pragma once

#include "capture/core/position_distribution.h"
#include "hashing/core/hash_module.h"
#include "platform/core/view_colour.h"

#include <QString>

#include <vector>

namespace ravlin {

// One drawing step on a picture: fill the whole picture, a line, or a single pixel.
struct PictureOp {
    enum class Kind { Fill, Line, Pixel };
    Kind kind = Kind::Line;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    ViewColour colour = ViewColour::Black;
    bool operator==(const PictureOp&) const = default;
};

// A fixed-size picture as the list of steps drawn on it since it was last filled; the UI paints
// the steps in order.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<PictureOp> ops;

    void fill(ViewColour colour) {
        ops.clear();
        ops.push_back({PictureOp::Kind::Fill, 0, 0, width, height, colour});
    }
    void line(int x1, int y1, int x2, int y2, ViewColour colour) {
        ops.push_back({PictureOp::Kind::Line, x1, y1, x2, y2, colour});
    }
    void pixel(int x, int y, ViewColour colour) {
        ops.push_back({PictureOp::Kind::Pixel, x, y, x, y, colour});
    }
};

// The variable-distribution picture (Image2) of the hash-modules tab.
inline constexpr int kImage2Width = 280;
inline constexpr int kImage2Height = 120;
// The IR Distribution picture (Image3).
inline constexpr int kImage3Width = 520;
inline constexpr int kImage3Height = 280;

// What the histogram drawing leaves for the three labels, and whether the range was empty.
struct HistogramLabels {
    QString min;
    QString max;
    QString medium;
    bool divisionGuard = false; // Max = Min: the caller beeps and shows "Div 02"
};

// Hex text of the labels: IntToBase in base 16 without the "0" it puts before a leading letter.
QString labelHex(int value);

// Draws the 1bit module's histogram with the red threshold line and the yellow tents onto the
// picture (without clearing it) and returns the label texts.
HistogramLabels drawVariableDistribution(Picture& picture, const DurationHistogram& histogram, int threshold);

// Which rows the IR Distribution tab draws.
enum class DistributionShow { All, FirstOnly, LastOnly };

struct DistributionSettings {
    DistributionShow show = DistributionShow::All; // RadioButtonW1..W3
    bool lastInLower = true;                       // CheckBox4 "Последн/Хвост"
};

// Redraws the IR Distribution picture from the map ("Нанести").
void drawPositionDistribution(Picture& picture, const PositionDistribution& map,
                              const DistributionSettings& settings);

} // namespace ravlin
