#pragma once

#include "platform/core/view_colour.h"

#include "base/core/button_record.h"
#include "base/core/receiver_units.h"

#include <QString>

#include <array>

namespace ravlin {

// Values of the controls of the " Параметры приёма " tab that the receivers read.
struct ReceptionSettings {
    static constexpr int kPollRateMin = 15;
    static constexpr int kPollRateMax = 40;
    static constexpr int kRescanSpeedMin = 20;
    static constexpr int kRescanSpeedMax = 55;

    QString kindText = QStringLiteral("Movrik"); // "Тип приёмника"
    int pollRate = 20;                           // "Частота опроса приёмника", 15..40
    int rescanSpeed = 25;                        // "Скорость пересчёта ХЭШа", 20..55
    bool skipRepeats = true;                     // "Не добавлять сигналы повтора"
    bool fiveByteRepeats = false;                // "В 5 байт" selected (else "В 3 байта")
    bool storeAnswers = false;                   // "Запоминать мини. значения"

    // " Сетевые параметры ", texts used as typed.
    QString port = QStringLiteral("6668");
    std::array<QString, 4> address = {QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("1"),
                                      QStringLiteral("7")};

    int pollIntervalMs() const { return pollRate * 10 + 10; }
    int rescanIntervalMs() const { return rescanSpeed * 10; }
    QString addressText() const {
        return address[0] + QLatin1Char('.') + address[1] + QLatin1Char('.') + address[2] + QLatin1Char('.') +
               address[3];
    }
};

// What the receiver part shows: texts and colours the poller writes (the processing run colours the
// repeat square too), and what the UI tells it about the screen. Owned by the workbench.
struct ReceptionView {
    bool burstPageActive = true; // the " Kestrum " tab is the active page (written by the UI)

    QString statusText;                         // status label at the top of the " Kestrum " tab
    ViewColour repeatColour = ViewColour::Face; // repeat indicator square
    QString unitLabel =
        ReceiverKinds::unitLabel(ReceiverKind::Movrik); // under "Один импульс продолжается около"
    // Whether the protocol decoder recognised the last processed burst (the processing run writes
    // it; a second repeat signal is coloured by it).
    bool lastBurstRecognised = false;
};

} // namespace ravlin
