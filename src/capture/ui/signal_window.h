#pragma once

#include "capture/core/signal_view.h"
#include "platform/core/dialogs.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPainter;

namespace ravlin {

// Paints the signal view's shapes; the window, the PNG and the SVG export all use it.
void paintSignal(QPainter& painter, const SignalPicture& picture);
QImage renderSignal(const SignalPicture& picture);
QByteArray signalSvg(const SignalPicture& picture);

// The picture: sizes the view's canvas to itself and hands it the mouse.
class SignalPlot : public QWidget {
    Q_OBJECT

public:
    explicit SignalPlot(SignalView& view, QWidget* parent = nullptr);

signals:
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SignalView& m_view;
};

// "Сигнал": the burst on screen or a base record at the window's width, with its source, "Вписать",
// "Держать", the cursor and hover readouts, the decoder's reading, and the exports.
class SignalWindow : public QWidget {
    Q_OBJECT

public:
    SignalWindow(SignalView& view, Dialogs& dialogs, QString appDir, QWidget* parent = nullptr);

    // Places the window centred over `main` and shows it without blocking.
    void showCentredOver(const QWidget& main);
    void refresh();

    void savePng();
    void saveSvg();
    void copyMicros();

private:
    void showView();
    void showSources();
    void save(QString& name, const QString& filter, const QString& extension, const QByteArray& bytes);

    SignalView& m_view;
    Dialogs& m_dialogs;
    QString m_appDir;
    QString m_pngName = QStringLiteral("Signal.png");
    QString m_svgName = QStringLiteral("Signal.svg");
    QComboBox* m_source;
    QCheckBox* m_hold;
    SignalPlot* m_plot;
    QLabel* m_decoded;
    QLabel* m_cursors;
    QLabel* m_hover;
};

} // namespace ravlin
