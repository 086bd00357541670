#pragma once

#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "base/core/receiver_units.h"
#include "capture/core/signal_geometry.h"
#include "hashing/core/decoder_fields.h"
#include "hashing/core/panel_settings.h"
#include "hashing/core/protocol_threshold.h"
#include "platform/core/dialogs.h"

#include <QLineF>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace ravlin {

// Inks of the signal picture; the window chooses the colours.
enum class SignalInk {
    Background,
    Grid,
    GridMinor,
    Axis,
    AxisText,
    Trace,
    MarkShort,  // a mark not longer than the threshold
    MarkLong,   // a mark longer than the threshold
    SpaceShort, // a space not longer than the threshold
    SpaceLong,  // a space longer than the threshold
    Hover,
    CursorA,
    CursorB,
    Field,
    FieldText,
    Legend,
    None,
};

// What the signal view shows, as shapes on a canvas of width × height pixels, painted in this
// order: boxes, lines, texts.
struct SignalPicture {
    struct Box {
        QRectF rect;
        SignalInk fill;
        SignalInk outline = SignalInk::None;
    };
    struct Line {
        QLineF line;
        SignalInk ink;
    };
    // A text inside `box`, placed as `align` says; cut to the box when longer.
    enum class Align { Left, Centre, Right };
    struct Text {
        QRectF box;
        QString text;
        SignalInk ink;
        Align align = Align::Centre;
    };

    int width = 0;
    int height = 0;
    std::vector<Box> boxes;
    std::vector<Line> lines;
    std::vector<Text> texts;
};

// The burst the view shows and where it came from.
struct SignalSnapshot {
    std::vector<std::int32_t> durations;
    QString title;
};

// The "Сигнал" window's core: the burst on screen or a chosen base record, drawn to any width with
// a microsecond axis, marks and spaces shaded against the decoder's threshold and its fields under
// the axis; wheel zoom around the pointer, drag to pan, two cursors, hover facts, and the burst as
// a microsecond list.
class SignalView : public QObject {
    Q_OBJECT

public:
    // Layout of the canvas.
    static constexpr double kMarginX = 10.0;
    static constexpr double kHeaderHeight = 20.0;
    static constexpr double kAxisHeight = 30.0;
    static constexpr double kLaneHeight = 20.0;
    static constexpr double kMinSignalHeight = 30.0;
    static constexpr double kCursorGrab = 5.0; // pixels within which a press takes a cursor
    static constexpr double kSnap = 6.0;       // pixels within which a cursor snaps to an edge
    static constexpr double kClickSlop = 3.0;  // pixels a press may move and still be a click
    static constexpr double kWheelFactor = 1.25;

    // `kind` tells the duration unit of the receiver in use.
    SignalView(const CaptureBuffer& screen, const ButtonBase& base, const DecoderSettings& decoder,
               std::function<ReceiverKind()> kind, QObject* parent = nullptr);

    // Sources: 0 the burst on screen, 1..count the base records. Names for the choice box.
    QStringList sourceNames() const;
    int source() const { return m_source; }
    void setSource(int index);
    // "Держать": while set, new bursts on screen leave the view as it is.
    bool hold() const { return m_hold; }
    void setHold(bool hold);
    // A new burst is on screen (drawn or rebuilt); followed unless held or another source is shown.
    void screenBurstChanged();
    // After any change elsewhere: a record source past the end of the base falls back to the burst
    // on screen, and the burst is decoded again when the decoder's check boxes changed.
    void refresh();

    // Canvas size; the time window keeps its span, so the burst stretches with the window.
    void setCanvasSize(int width, int height);
    // "Вписать": the whole burst across the canvas.
    void fit();
    // Mouse: wheel steps (positive zooms in) at pixel x; press, move and release of the left
    // button; a move without buttons hovers.
    void wheel(double x, double steps);
    void press(double x);
    void drag(double x);
    void release(double x);
    void hover(double x);
    void leave();
    void clearCursors();

    const SignalSnapshot& snapshot() const { return m_snapshot; }
    const SignalViewport& viewport() const { return m_viewport; }
    const DecoderLayout& layout() const { return m_layout; }
    const QString& decodedText() const { return m_decoded; }
    std::optional<double> cursorA() const { return m_cursorA; }
    std::optional<double> cursorB() const { return m_cursorB; }
    int hovered() const { return m_hovered; }
    double unitUs() const;

    // Readout texts: the cursors (times, Δt, 1/Δt, durations between) and the hovered duration
    // (index, length in units and µs, start and end, place in the timing texts).
    QString cursorText() const;
    QString hoverText() const;
    // The shapes of the view at the canvas size.
    SignalPicture picture() const;
    // The burst as a microsecond list that the command-line tool reads with --us and --kind.
    QString microsList() const;

signals:
    void changed();

private:
    void load(SignalSnapshot snapshot, bool refit);
    // Shows the burst on screen whole; unless `evenIfSame`, the same burst again changes nothing.
    void takeScreen(bool evenIfSame);
    SignalRange range() const { return SignalRange(m_edges.back()); }
    double signalHeight() const;
    int laneCount() const;

    const CaptureBuffer& m_screen;
    const ButtonBase& m_base;
    const DecoderSettings& m_decoder;
    std::function<ReceiverKind()> m_kind;

    int m_source = 0;
    bool m_hold = false;
    SignalSnapshot m_snapshot;
    std::vector<std::int64_t> m_edges{0};
    DecoderLayout m_layout;
    std::vector<int> m_lanes; // lane of each field
    QString m_decoded;
    DecoderMasks m_masks;
    int m_width = 900;
    int m_height = 300;
    SignalViewport m_viewport;

    // Mouse state: a press either becomes a click (a cursor placed), a pan, or a cursor drag.
    enum class Press { None, Pending, Panning, CursorA, CursorB };
    Press m_press = Press::None;
    double m_pressX = 0.0;
    double m_lastX = 0.0;
    std::optional<double> m_cursorA;
    std::optional<double> m_cursorB;
    int m_hovered = 0;
};

// Asks where to export the view: `name` proposed (under `appDir` unless it holds a folder) with
// `filter`, `extension` appended when the name does not end with it, and the overwrite question for
// an existing non-empty file. Returns the path, or nothing when the user cancelled or declined.
std::optional<QString> chooseExportFile(Dialogs& dialogs, const QString& appDir, QString& name,
                                        const QString& filter, const QString& extension);

} // namespace ravlin
