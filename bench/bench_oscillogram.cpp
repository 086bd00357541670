#include "capture/core/oscillogram.h"
#include "fakes/scripted_dialogs.h"

#include <QtTest>

using namespace ravlin;

namespace {

// A full buffer of 255 alternating marks and spaces.
CaptureBuffer fullBuffer() {
    CaptureBuffer b;
    for (int i = 0; i < CaptureBuffer::kCapacity; ++i)
        b.append(i % 2 == 0 ? 26 : (i % 3 == 0 ? 79 : 26));
    return b;
}

} // namespace

class BenchOscillogram : public QObject {
    Q_OBJECT
private slots:
    void drawFullBuffer() {
        CaptureBuffer b = fullBuffer();
        ZoomSettings z;
        fakes::ScriptedDialogs d;
        Oscillogram osc(b, z, d);
        QBENCHMARK {
            osc.draw(true);
        }
    }
    void mouseSweep() {
        CaptureBuffer b = fullBuffer();
        ZoomSettings z;
        fakes::ScriptedDialogs d;
        Oscillogram osc(b, z, d);
        osc.draw(true);
        QBENCHMARK {
            for (int x = 0; x < 775; x += 5)
                osc.mouseMove(x, 0.02133333);
        }
    }
};

QTEST_GUILESS_MAIN(BenchOscillogram)
#include "bench_oscillogram.moc"
