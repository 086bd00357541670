#pragma once

#include "platform/ui/refresh.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QSpinBox>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace ravlin::ui {

// Ties a page's controls to the settings fields they show, one line per control. A change of the
// control (by the user or by a test) writes its field, runs the control's follow-up, if it has one
// (the core call the change asks for), and emits edited(); refresh() sets every control from its
// field, only where the value differs, and what it sets is not written back.
class Bindings : public QObject {
    Q_OBJECT

public:
    // The follow-up of a control that needs no core call.
    struct NoFollowUp {
        void operator()() const {}
    };

    explicit Bindings(QObject* parent = nullptr) : QObject(parent) {}

    // A check box (or any checkable button) and a flag.
    template <typename Then = NoFollowUp>
    QAbstractButton* bind(QAbstractButton* button, bool& field, Then then = {}) {
        watch(button, &QAbstractButton::toggled, field, then);
        keep([button, &field] { setIfDifferent(button, field); });
        return button;
    }
    // A line edit and a text.
    template <typename Then = NoFollowUp> QLineEdit* bind(QLineEdit* edit, QString& field, Then then = {}) {
        watch(edit, &QLineEdit::textChanged, field, then);
        keep([edit, &field] { setIfDifferent(edit, field); });
        return edit;
    }
    // A slider (track bar) and a number.
    template <typename Then = NoFollowUp>
    QAbstractSlider* bind(QAbstractSlider* slider, int& field, Then then = {}) {
        watch(slider, &QAbstractSlider::valueChanged, field, then);
        keep([slider, &field] {
            if (slider->value() != field) slider->setValue(field);
        });
        return slider;
    }
    // A spin box and a number.
    template <typename Then = NoFollowUp> QSpinBox* bind(QSpinBox* spin, int& field, Then then = {}) {
        watch(spin, &QSpinBox::valueChanged, field, then);
        keep([spin, &field] {
            if (spin->value() != field) spin->setValue(field);
        });
        return spin;
    }
    // A drop-down list and the text of its chosen item.
    template <typename Then = NoFollowUp> QComboBox* bind(QComboBox* combo, QString& field, Then then = {}) {
        watch(combo, &QComboBox::currentTextChanged, field, then);
        keep([combo, &field] {
            if (combo->currentText() != field) combo->setCurrentText(field);
        });
        return combo;
    }
    // Exclusive buttons (radio buttons of one group) and the value each stands for: the button
    // switched on writes its value.
    template <typename T, typename Then = NoFollowUp>
    void bindChoice(std::initializer_list<std::pair<QAbstractButton*, T>> buttons, T& field, Then then = {}) {
        for (const auto& [button, value] : buttons) {
            connect(button, &QAbstractButton::toggled, this, [this, &field, value = value, then](bool on) {
                if (!on || m_refreshing) return;
                field = value;
                then();
                emit edited();
            });
            keep([button = button, value = value, &field] {
                if (field == value && !button->isChecked()) button->setChecked(true);
            });
        }
    }

    // Sets every bound control from its field where they differ.
    void refresh() {
        const bool outer = m_refreshing;
        m_refreshing = true;
        for (const auto& r : m_refreshers)
            r->run();
        m_refreshing = outer;
    }

signals:
    // A control's change was written to its field.
    void edited();

private:
    struct Refresher {
        virtual ~Refresher() = default;
        virtual void run() const = 0;
    };
    template <typename F> struct RefresherOf final : Refresher {
        explicit RefresherOf(F f) : f(std::move(f)) {}
        void run() const override { f(); }
        F f;
    };

    template <typename W, typename Signal, typename T, typename Then>
    void watch(W* widget, Signal signal, T& field, Then then) {
        connect(widget, signal, this, [this, &field, then](const T& value) {
            if (m_refreshing) return;
            field = value;
            then();
            emit edited();
        });
    }
    template <typename F> void keep(F f) {
        m_refreshers.push_back(std::make_unique<RefresherOf<F>>(std::move(f)));
    }

    std::vector<std::unique_ptr<Refresher>> m_refreshers;
    bool m_refreshing = false;
};

} // namespace ravlin::ui
