#pragma once

#include "base/core/session_flags.h"
#include "platform/core/timer.h"
#include "platform/core/tune_player.h"
#include "platform/core/view_colour.h"

#include <QString>

#include <memory>

namespace ravlin {

// The match-visualisation window's logic: a match blinks its group box red and face colour four
// times at the blink timer's pace and, with sound confirmation on, plays the match tune at most
// once every 3.5 s (the tune timer runs 35 ticks before the next play is allowed).
class MatchVisualisation {
public:
    static constexpr int kBlinkMs = 500;
    static constexpr int kTuneMs = 100;
    static constexpr int kTuneStart = 26;     // at creation: the tune is primed half a second later
    static constexpr int kTunePrimeTick = 31; // the player gets the file, plays and pauses at once
    static constexpr int kTuneLastTick = 34;  // after it the next play is allowed
    static constexpr int kLastRun = 3;        // the start button toggles at run counts 0..3

    // `tunePath`: the match tune (Tarnisk/OpisPl/Beep.mid under the application directory).
    // Starts the tune timer, as the window's creation does.
    MatchVisualisation(MatchSignalSettings& settings, TimerFactory& timers, QString tunePath);

    // The player that sounds the tune; null (the default) is silent.
    void setPlayer(TunePlayer* player) { m_player = player; }
    const QString& tunePath() const { return m_tunePath; }

    // A lookup found the chosen record (or any record): the blinking starts over.
    void signal();
    // The hidden start button ("1"): one step of the blinking.
    void pressStart();
    // "Включить" or either mode clicked: the group box returns to face colour, the blinking stops.
    void optionClicked();
    // Stops both timers (the program is closing).
    void stop();

    void blinkTick();
    void tuneTick();

    MatchSignalSettings& settings() { return m_settings; }
    ViewColour groupColour() const { return m_groupColour; }
    int runCounter() const { return m_runCounter; }
    int tuneCounter() const { return m_tuneCounter; }
    bool tuneReady() const { return m_tuneReady; }
    bool tuneOpened() const { return m_tuneOpened; }
    bool isBlinking() const { return m_blink->isActive(); }
    bool tuneTimerActive() const { return m_tune->isActive(); }

private:
    void primeTune();

    MatchSignalSettings& m_settings;
    QString m_tunePath;
    TunePlayer* m_player = nullptr;
    std::unique_ptr<Timer> m_blink;
    std::unique_ptr<Timer> m_tune;
    ViewColour m_groupColour = ViewColour::Face;
    int m_runCounter = 0;
    int m_tuneCounter = kTuneStart;
    bool m_tuneReady = false;
    bool m_tuneOpened = false;
};

} // namespace ravlin
