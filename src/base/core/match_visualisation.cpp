#include "base/core/match_visualisation.h"

#include <QFileInfo>

namespace ravlin {

MatchVisualisation::MatchVisualisation(MatchSignalSettings& settings, TimerFactory& timers, QString tunePath)
    : m_settings(settings), m_tunePath(std::move(tunePath)), m_blink(timers.create(kBlinkMs)),
      m_tune(timers.create(kTuneMs)) {
    m_blink->setHandler([this] { blinkTick(); });
    m_tune->setHandler([this] { tuneTick(); });
    m_tune->start();
}

void MatchVisualisation::signal() {
    m_runCounter = 0;
    pressStart();
    m_blink->start();
}

void MatchVisualisation::pressStart() {
    if (!m_settings.enabled || m_runCounter > kLastRun) {
        m_blink->stop();
        m_groupColour = ViewColour::Face;
        return;
    }
    if (m_groupColour == ViewColour::Red) {
        m_groupColour = ViewColour::Face;
        return;
    }
    m_groupColour = ViewColour::Red;
    if (m_settings.sound && m_tuneReady) {
        m_tuneCounter = 0;
        m_tune->start();
        m_tuneReady = false;
        if (m_player && m_tuneOpened && QFileInfo(m_tunePath).isFile()) m_player->play();
    }
}

void MatchVisualisation::optionClicked() {
    m_groupColour = ViewColour::Face;
    m_blink->stop();
}

void MatchVisualisation::stop() {
    m_blink->stop();
    m_tune->stop();
    if (m_player && m_tuneOpened) m_player->pause();
}

void MatchVisualisation::blinkTick() {
    ++m_runCounter;
    pressStart();
}

void MatchVisualisation::tuneTick() {
    ++m_tuneCounter;
    if (m_tuneCounter == kTunePrimeTick) primeTune();
    if (m_tuneCounter > kTuneLastTick) {
        m_tuneCounter = 0;
        m_tune->stop();
        m_tuneReady = true;
    }
}

void MatchVisualisation::primeTune() {
    const QFileInfo file(m_tunePath);
    if (!m_player || !file.isFile() || file.size() == 0) return;
    m_tuneOpened = m_player->open(m_tunePath);
    if (!m_tuneOpened) return;
    m_player->play();
    m_player->pause();
}

} // namespace ravlin
