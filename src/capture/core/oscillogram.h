#pragma once

#include "base/core/capture_buffer.h"
#include "platform/core/dialogs.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace ravlin {

// Settings of the zoom window: automatic or manual zoom, the manual track bar, the fall-back
// to automatic zoom, and the narrowest mark (pixels, hexadecimal text) that is filled.
struct ZoomSettings {
    static constexpr int kMinPosition = 4;
    static constexpr int kMaxPosition = 66;

    bool automatic = true;
    int manualPosition = 14; // manual scale = position / 60 pixels per unit
    bool autoFallback = true;
    QString narrowestFilled = QStringLiteral("04");
};

// One straight line of the strip, both ends included, in strip pixels.
struct StripLine {
    int x1, y1, x2, y2;
    bool operator==(const StripLine&) const = default;
};

// A filled mark: outline from (left, top) to (right, bottom) with the right and bottom edges
// excluded, filled green inside a yellow outline.
struct StripRect {
    int left, top, right, bottom;
    bool operator==(const StripRect&) const = default;
};

// What the strip shows: a black canvas of width × height with yellow lines and filled marks.
struct StripDrawing {
    int width = 775;
    int height = 69;
    std::vector<StripLine> lines;
    std::vector<StripRect> rects;
    int revision = 0; // grows with every change, so a widget knows when to repaint
};

// Texts of the readout labels and of the length label.
struct OscillogramView {
    static inline const std::array<QString, 6> kInitialReadouts = {
        QStringLiteral("N =00    RAW=000h"),
        QStringLiteral("Начало на 0000h  импульсе."),
        QStringLiteral("Конец   на 0000h  импульсе."),
        QStringLiteral("От начала  прошло 0.0000 МиллиСек"),
        QStringLiteral("Заканчивается на  0.0000 МиллиСек"),
        QStringLiteral("00.00 МиллиСек"),
    };

    std::array<QString, 6> readouts = kInitialReadouts;
    QString lengthLabel = QStringLiteral("Length : ");
};

// Draws the CaptureBuffer as a pulse train into a StripDrawing and reads durations under the
// mouse pointer. Holds the strip-cleared flag.
class Oscillogram {
public:
    static constexpr int kLeadIn = 10; // units before the first mark
    static constexpr int kBoxWidth = 779;
    static constexpr int kBoxHeight = 79;

    Oscillogram(CaptureBuffer& buffer, const ZoomSettings& settings, Dialogs& dialogs);

    // Size of the scrollable box; the canvas is 4 narrower and 10 lower.
    void setBoxSize(int width, int height);

    // Draws the buffer. With `painted` false (the strip's tab is not the active page) the strip is
    // only cleared once and keeps what it shows.
    void draw(bool painted);
    // Fills the strip black (the display reset).
    void clear();
    // Readouts for the pointer at strip pixel x; `unitMs` is the duration unit of the receiver.
    void mouseMove(int x, double unitMs);

    // The scale the settings choose for the buffer and canvas width, and whether the total was 0.
    struct Scale {
        double value;
        bool zeroTotal;
    };
    static Scale scaleFor(const CaptureBuffer& buffer, const ZoomSettings& settings, int width);

    const StripDrawing& drawing() const { return m_drawing; }
    const OscillogramView& view() const { return m_view; }
    bool stripCleared() const { return m_cleared; }

    // Called with "Div 01" for the main window's caption when a burst has a total of 0.
    std::function<void(const QString&)> setCaption;

private:
    void paint();

    CaptureBuffer& m_buffer;
    const ZoomSettings& m_settings;
    Dialogs& m_dialogs;
    StripDrawing m_drawing;
    OscillogramView m_view;
    bool m_cleared = false;
};

} // namespace ravlin
