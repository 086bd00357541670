#include "capture/ui/oscillogram_widgets.h"

#include "base/core/receiver_units.h"
#include "platform/ui/refresh.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {

const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 128, 0);

} // namespace

QImage renderStrip(const StripDrawing& drawing) {
    QImage image(std::max(1, drawing.width), std::max(1, drawing.height), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const StripRect& r : drawing.rects) {
        // Outline and fill cover left..right-1 and top..bottom-1.
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        if (w <= 0 || h <= 0) continue;
        p.fillRect(QRect(r.left, r.top, w, h), kGreen);
        p.setPen(kYellow);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(r.left, r.top, w - 1, h - 1));
    }
    p.setPen(QPen(kYellow, 0));
    for (const StripLine& l : drawing.lines)
        p.drawLine(l.x1, l.y1, l.x2, l.y2);
    return image;
}

OscillogramStrip::OscillogramStrip(const Oscillogram& oscillogram, QWidget* parent)
    : QWidget(parent), m_oscillogram(oscillogram) {
    setObjectName(QStringLiteral("ImageDiagram"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void OscillogramStrip::refresh() {
    const StripDrawing& d = m_oscillogram.drawing();
    const QSize size(d.width, d.height);
    if (this->size() != size) setFixedSize(size);
    if (d.revision != m_revision) {
        m_revision = d.revision;
        update();
    }
}

void OscillogramStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, renderStrip(m_oscillogram.drawing()));
}

void OscillogramStrip::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(static_cast<int>(event->position().x()));
}

void OscillogramStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit signalWindowRequested();
}

void OscillogramStrip::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("Сигнал…")), &QAction::triggered, this,
            &OscillogramStrip::signalWindowRequested);
    menu.exec(event->globalPos());
}

OscillogramPanel::OscillogramPanel(Oscillogram& oscillogram, std::function<double()> unitMs, QWidget* parent)
    : QWidget(parent), m_oscillogram(oscillogram), m_unitMs(std::move(unitMs)) {
    setObjectName(QStringLiteral("OscillogramPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    // Two compact rows above the strip: the caption with readouts 1, 2, 3; readouts 6, 4, 5 with
    // the zoom button. Each row is laid out on its own so the strip's width holds both.
    auto* readouts = new QWidget(this);
    auto* rows = new QVBoxLayout(readouts);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    QFont small = readouts->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.0));
    auto* caption = new QLabel(QStringLiteral("Под мышкой сейчас находится"), readouts);
    caption->setObjectName(QStringLiteral("LabelUnderMouse"));
    caption->setFont(small);
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(OscillogramView::kInitialReadouts[i], readouts);
        label->setObjectName(QStringLiteral("LabelReadout%1").arg(i + 1));
        label->setFont(small);
        m_readouts[i] = label;
    }
    auto* zoom = new QPushButton(QStringLiteral("Настройка графики и зума"), readouts);
    zoom->setObjectName(QStringLiteral("ButtonZoom"));
    zoom->setFont(small);
    auto row = [&](std::initializer_list<QWidget*> widgets) {
        auto* h = new QHBoxLayout;
        h->setSpacing(8);
        for (QWidget* w : widgets)
            h->addWidget(w);
        h->addStretch();
        rows->addLayout(h);
    };
    row({caption, m_readouts[0], m_readouts[1], m_readouts[2]});
    row({m_readouts[5], m_readouts[3], m_readouts[4], zoom});
    connect(zoom, &QPushButton::clicked, this, &OscillogramPanel::zoomWindowRequested);
    layout->addWidget(readouts);

    m_box = new QScrollArea(this);
    m_box->setObjectName(QStringLiteral("ScrollBoxDiagram"));
    m_box->setFixedSize(Oscillogram::kBoxWidth, Oscillogram::kBoxHeight);
    m_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setFrameShape(QFrame::NoFrame);
    m_box->setStyleSheet(QStringLiteral("QScrollArea { background: black; }"));
    m_strip = new OscillogramStrip(oscillogram);
    m_box->setWidget(m_strip);
    layout->addWidget(m_box);
    connect(m_strip, &OscillogramStrip::pointerMoved, this, &OscillogramPanel::pointerMoved);
    connect(m_strip, &OscillogramStrip::signalWindowRequested, this,
            &OscillogramPanel::signalWindowRequested);

    m_length = new QLabel(oscillogram.view().lengthLabel);
    m_length->setObjectName(QStringLiteral("LabelLength"));
}

OscillogramPanel::~OscillogramPanel() {
    if (m_length && !m_length->parent()) delete m_length;
}

void OscillogramPanel::pointerMoved(int x) {
    m_oscillogram.mouseMove(x, m_unitMs ? m_unitMs() : ReceiverKinds::unitMs(ReceiverKind::Movrik));
    refresh();
}

void OscillogramPanel::refresh() {
    const OscillogramView& v = m_oscillogram.view();
    for (int i = 0; i < 6; ++i)
        ui::setIfDifferent(m_readouts[i], v.readouts[i]);
    ui::setIfDifferent(m_length, v.lengthLabel);
    m_strip->refresh();
}

} // namespace ravlin
