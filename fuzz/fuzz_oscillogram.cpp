// Oscillogram geometry: any burst and zoom settings draw inside the canvas, and readouts work
// at every pointer position.
#include "base/core/capture_buffer.h"
#include "capture/core/oscillogram.h"
#include "fakes/scripted_dialogs.h"
#include "fuzz_check.h"
#include "platform/core/rounding.h"

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    ZoomSettings zoom;
    const std::uint8_t flags = in.byte();
    zoom.automatic = flags & 1;
    zoom.autoFallback = flags & 2;
    zoom.manualPosition = ZoomSettings::kMinPosition + in.byte() % 63;
    zoom.narrowestFilled = QString::number(in.byte(), 16);
    const int boxWidth = 20 + 8 * in.byte();
    const int boxHeight = 20 + in.byte();
    CaptureBuffer buffer;
    while (!in.empty() && buffer.count < CaptureBuffer::kCapacity) {
        const std::int32_t hi = in.byte();
        buffer.append((flags & 4) ? (hi << 8 | in.byte()) : hi); // up to 0xFFFF units
    }

    fakes::ScriptedDialogs dialogs;
    Oscillogram osc(buffer, zoom, dialogs);
    osc.setBoxSize(boxWidth, boxHeight);
    osc.draw(true);
    // The painter clips to the canvas: a burst may run past its right edge (manual zoom, or the
    // lead-in of a very short burst), but never to the left, above or below it, and its x never
    // wraps around.
    const StripDrawing& d = osc.drawing();
    FUZZ_CHECK(d.width > 0 && d.height > 0);
    const double scale = buffer.pixelScale;
    FUZZ_CHECK(scale > 0.0 && scale < 1e9);
    const std::int64_t xMax = roundHalfEven(static_cast<double>(Oscillogram::kLeadIn + buffer.total) * scale);
    for (const StripLine& l : d.lines) {
        FUZZ_CHECK(l.x1 >= 0 && l.x2 >= l.x1 && l.x2 <= xMax);
        FUZZ_CHECK(l.y1 >= 0 && l.y2 >= 0 && l.y1 <= d.height && l.y2 <= d.height);
    }
    for (const StripRect& r : d.rects) {
        FUZZ_CHECK(r.left >= 1 && r.right >= r.left - 1 && r.right <= xMax);
        FUZZ_CHECK(r.top >= 0 && r.top <= r.bottom && r.bottom <= d.height);
    }
    for (int x = -2; x <= d.width + 2; x += 1 + d.width / 64)
        osc.mouseMove(x, 0.0213333);
    return 0;
}
