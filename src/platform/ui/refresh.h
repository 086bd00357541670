#pragma once

#include "platform/core/view_colour.h"

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include <cstdlib>

namespace ravlin::ui {

// Refresh helpers shared by every window: a widget is set only when its value differs, so a
// refresh never fires the widget's own change handler back into the core.
inline void setIfDifferent(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}
inline void setIfDifferent(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}
// For a read-only field whose text may be longer than the field: after a write the cursor goes to
// the start, so the field shows the beginning of the text.
inline void setShowingStart(QLineEdit* edit, const QString& text) {
    if (edit->text() == text) return;
    edit->setText(text);
    edit->setCursorPosition(0);
}
inline void setIfDifferent(QAbstractButton* button, const QString& text) {
    if (button->text() != text) button->setText(text);
}
inline void setIfDifferent(QAbstractButton* button, bool checked) {
    if (button->isChecked() != checked) button->setChecked(checked);
}
inline void setEnabledIfDifferent(QWidget* widget, bool enabled) {
    if (widget->isEnabled() != enabled) widget->setEnabled(enabled);
}
inline void setVisibleIfDifferent(QWidget* widget, bool visible) {
    if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
}

// The real colour of a named colour: Face is the system's button face (the palette's), the others
// their fixed values.
inline QColor colourOf(ViewColour c) {
    if (c == ViewColour::Face) return QPalette().color(QPalette::Button);
    return QColor::fromRgb(rgbOf(c));
}

// Fills a panel's background with a named colour.
inline void paintIfDifferent(QWidget* panel, ViewColour c) {
    const QColor colour = colourOf(c);
    QPalette p = panel->palette();
    if (p.color(QPalette::Window) == colour && panel->autoFillBackground()) return;
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
}

// Top-left corner of a window of `size` centred over `main`: top = main top + |height difference|
// div 2, left likewise.
inline QPoint centredOver(const QRect& main, const QSize& size) {
    return {main.left() + std::abs(main.width() - size.width()) / 2,
            main.top() + std::abs(main.height() - size.height()) / 2};
}

// Shows a tool window centred over the main window, without blocking, and in front.
inline void showCentredOver(QWidget& window, const QWidget& main) {
    // A window never shown nor resized takes its layout's size only when shown: take it now, so
    // that the centring uses the size it will have.
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    window.move(centredOver(main.frameGeometry(), window.frameGeometry().size()));
    window.show();
    window.raise();
}

} // namespace ravlin::ui
