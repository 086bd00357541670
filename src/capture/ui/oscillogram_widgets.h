#pragma once

#include "capture/core/oscillogram.h"

#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <array>
#include <functional>

#include <QLabel>
class QPushButton;

namespace ravlin {

// The strip's picture: black, yellow lines, marks filled green inside a yellow outline.
QImage renderStrip(const StripDrawing& drawing);

// The picture itself; reports the pointer position in strip pixels.
class OscillogramStrip : public QWidget {
    Q_OBJECT

public:
    explicit OscillogramStrip(const Oscillogram& oscillogram, QWidget* parent = nullptr);

    // Repaints when the drawing changed.
    void refresh();

signals:
    void pointerMoved(int x);
    // A double click, or "Сигнал…" from the context menu.
    void signalWindowRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const Oscillogram& m_oscillogram;
    int m_revision = -1;
};

// The strip at the bottom of the " Kestrum " tab: a horizontally scrollable box of 779 x 79
// holding the picture, the mouse readouts beside the zoom button, and the length label (placed
// separately at the top of the tab).
class OscillogramPanel : public QWidget {
    Q_OBJECT

public:
    // `unitMs` gives the duration unit of the receiver in use.
    OscillogramPanel(Oscillogram& oscillogram, std::function<double()> unitMs, QWidget* parent = nullptr);
    ~OscillogramPanel() override;

    OscillogramStrip* strip() const { return m_strip; }
    QScrollArea* box() const { return m_box; }
    // "Length : ..." for the top of the tab; deleted with the panel unless placed elsewhere.
    QLabel* lengthLabel() const { return m_length; }

    void refresh();

signals:
    // "Настройка графики и зума" was pressed.
    void zoomWindowRequested();
    // The strip asks for the "Сигнал" window.
    void signalWindowRequested();

private:
    void pointerMoved(int x);

    Oscillogram& m_oscillogram;
    std::function<double()> m_unitMs;
    QScrollArea* m_box;
    OscillogramStrip* m_strip;
    QPointer<QLabel> m_length;
    std::array<QLabel*, 6> m_readouts{};
};

} // namespace ravlin
