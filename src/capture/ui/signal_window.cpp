#include "capture/ui/signal_window.h"

#include "platform/core/text_file.h"

#include "platform/ui/refresh.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace ravlin {

namespace {

QColor colourOf(SignalInk ink) {
    switch (ink) {
    case SignalInk::Background:
        return Qt::black;
    case SignalInk::Grid:
        return {72, 72, 72};
    case SignalInk::GridMinor:
        return {36, 36, 36};
    case SignalInk::Axis:
    case SignalInk::AxisText:
    case SignalInk::Legend:
    case SignalInk::Field:
        return {192, 192, 192};
    case SignalInk::Trace:
        return {255, 255, 0};
    case SignalInk::MarkShort:
        return {0, 128, 0};
    case SignalInk::MarkLong:
        return {0, 128, 128};
    case SignalInk::SpaceShort:
        return {16, 16, 24};
    case SignalInk::SpaceLong:
        return {56, 24, 64};
    case SignalInk::Hover:
    case SignalInk::FieldText:
        return Qt::white;
    case SignalInk::CursorA:
        return {0, 255, 255};
    case SignalInk::CursorB:
        return {255, 0, 255};
    case SignalInk::None:
        break;
    }
    return Qt::transparent;
}

Qt::Alignment alignmentOf(SignalPicture::Align align) {
    switch (align) {
    case SignalPicture::Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case SignalPicture::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case SignalPicture::Align::Centre:
        break;
    }
    return Qt::AlignHCenter | Qt::AlignVCenter;
}

} // namespace

void paintSignal(QPainter& p, const SignalPicture& pic) {
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const SignalPicture::Box& b : pic.boxes) {
        if (b.fill != SignalInk::None) p.fillRect(b.rect, colourOf(b.fill));
        if (b.outline != SignalInk::None) {
            p.setPen(QPen(colourOf(b.outline), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(b.rect.adjusted(0, 0, -1, -1));
        }
    }
    for (const SignalPicture::Line& l : pic.lines) {
        p.setPen(QPen(colourOf(l.ink), 1));
        p.drawLine(l.line);
    }
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    for (const SignalPicture::Text& t : pic.texts) {
        const QString text = metrics.elidedText(t.text, Qt::ElideRight, t.box.width());
        if (text.isEmpty() || text == QStringLiteral("…")) continue;
        p.setPen(colourOf(t.ink));
        p.drawText(t.box, alignmentOf(t.align), text);
    }
}

QImage renderSignal(const SignalPicture& pic) {
    QImage image(std::max(1, pic.width), std::max(1, pic.height), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    paintSignal(p, pic);
    return image;
}

QByteArray signalSvg(const SignalPicture& pic) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(pic.width, pic.height));
    svg.setViewBox(QRect(0, 0, pic.width, pic.height));
    svg.setTitle(QStringLiteral("Сигнал"));
    QPainter p(&svg);
    paintSignal(p, pic);
    p.end();
    return buffer.data();
}

SignalPlot::SignalPlot(SignalView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setObjectName(QStringLiteral("SignalPlot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::CrossCursor);
}

void SignalPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintSignal(p, m_view.picture());
}

void SignalPlot::resizeEvent(QResizeEvent*) {
    m_view.setCanvasSize(width(), height());
}

void SignalPlot::wheelEvent(QWheelEvent* event) {
    m_view.wheel(event->position().x(), event->angleDelta().y() / 120.0);
    event->accept();
}

void SignalPlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_view.press(event->position().x());
}

void SignalPlot::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) m_view.drag(event->position().x());
    m_view.hover(event->position().x());
}

void SignalPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_view.release(event->position().x());
}

void SignalPlot::leaveEvent(QEvent*) {
    m_view.leave();
}

void SignalPlot::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
}

SignalWindow::SignalWindow(SignalView& view, Dialogs& dialogs, QString appDir, QWidget* parent)
    : QWidget(parent), m_view(view), m_dialogs(dialogs), m_appDir(std::move(appDir)) {
    resize(900, 440);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    auto* tools = new QHBoxLayout;
    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("ComboBoxSignalSource"));
    m_source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_source->setMinimumContentsLength(24);
    tools->addWidget(m_source);
    const auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        tools->addWidget(b);
        return b;
    };
    QPushButton* fit = button("ButtonFit", QStringLiteral("Вписать"));
    m_hold = new QCheckBox(QStringLiteral("Держать"), this);
    m_hold->setObjectName(QStringLiteral("CheckBoxHold"));
    tools->addWidget(m_hold);
    QPushButton* clear = button("ButtonClearCursors", QStringLiteral("Убрать курсоры"));
    tools->addStretch();
    QPushButton* png = button("ButtonSavePng", QStringLiteral("PNG…"));
    QPushButton* svg = button("ButtonSaveSvg", QStringLiteral("SVG…"));
    QPushButton* copy = button("ButtonCopyMicros", QStringLiteral("Копировать как список µs"));
    layout->addLayout(tools);

    m_decoded = new QLabel(this);
    m_decoded->setObjectName(QStringLiteral("LabelDecoded"));
    layout->addWidget(m_decoded);
    m_plot = new SignalPlot(view, this);
    layout->addWidget(m_plot, 1);
    m_cursors = new QLabel(this);
    m_cursors->setObjectName(QStringLiteral("LabelCursors"));
    m_hover = new QLabel(this);
    m_hover->setObjectName(QStringLiteral("LabelHover"));
    for (QLabel* l : {m_decoded, m_cursors, m_hover}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setMinimumWidth(1); // long readouts are cut, never widen the window
        if (l != m_decoded) layout->addWidget(l);
    }

    connect(m_source, &QComboBox::activated, this, [this](int index) { m_view.setSource(index); });
    connect(fit, &QPushButton::clicked, &m_view, &SignalView::fit);
    connect(m_hold, &QCheckBox::toggled, &m_view, &SignalView::setHold);
    connect(clear, &QPushButton::clicked, &m_view, &SignalView::clearCursors);
    connect(png, &QPushButton::clicked, this, &SignalWindow::savePng);
    connect(svg, &QPushButton::clicked, this, &SignalWindow::saveSvg);
    connect(copy, &QPushButton::clicked, this, &SignalWindow::copyMicros);
    connect(&m_view, &SignalView::changed, this, &SignalWindow::showView);
    connect(m_plot, &SignalPlot::contextMenuRequested, this,
            [this, fit, clear, png, svg, copy](const QPoint& at) {
                QMenu menu(this);
                for (QPushButton* b : {fit, clear, png, svg, copy})
                    connect(menu.addAction(b->text()), &QAction::triggered, b, &QPushButton::click);
                menu.exec(at);
            });
    refresh();
}

void SignalWindow::refresh() {
    m_view.refresh();
    // The list of records is built only for a window in view; showing it fills the list first.
    if (isVisible()) showSources();
    showView();
}

void SignalWindow::showSources() {
    const QStringList names = m_view.sourceNames();
    QStringList shown;
    for (int i = 0; i < m_source->count(); ++i)
        shown << m_source->itemText(i);
    if (shown != names) {
        m_source->clear();
        m_source->addItems(names);
    }
    if (m_source->currentIndex() != m_view.source()) m_source->setCurrentIndex(m_view.source());
}

void SignalWindow::showView() {
    ui::setIfDifferent(m_hold, m_view.hold());
    ui::setIfDifferent(m_decoded, QStringLiteral("Декодер: ") + m_view.decodedText());
    ui::setIfDifferent(m_cursors, m_view.cursorText());
    ui::setIfDifferent(m_hover, m_view.hoverText());
    m_plot->update();
}

void SignalWindow::showCentredOver(const QWidget& main) {
    refresh();
    showSources();
    ui::showCentredOver(*this, main);
}

void SignalWindow::save(QString& name, const QString& filter, const QString& extension,
                        const QByteArray& bytes) {
    const auto path = chooseExportFile(m_dialogs, m_appDir, name, filter, extension);
    QString error;
    if (path && !TextFileWriter::writeBytes(*path, bytes, &error)) {
        m_dialogs.beep();
        m_dialogs.information(QStringLiteral("Не удалось записать файл ") + *path + QStringLiteral("\r\n") +
                              error);
    }
}

void SignalWindow::savePng() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderSignal(m_view.picture()).save(&buffer, "PNG");
    save(m_pngName, QStringLiteral("PNG Image|*.png"), QStringLiteral(".png"), bytes);
}

void SignalWindow::saveSvg() {
    save(m_svgName, QStringLiteral("SVG Image|*.svg"), QStringLiteral(".svg"), signalSvg(m_view.picture()));
}

void SignalWindow::copyMicros() {
    QGuiApplication::clipboard()->setText(m_view.microsList());
}

} // namespace ravlin
