#include "platform/core/fluid_tune_player.h"

#include "platform/core/regular_file.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

#include <algorithm>

namespace ravlin {

namespace {

constexpr int kWatchMs = 50;

// FluidSynth reports a missing audio device or soundfont on stderr; the player handles both by
// staying silent, so those reports are not wanted.
void quietLogs() {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
}

fluid_settings_t* newSettings() {
    quietLogs();
    fluid_settings_t* s = new_fluid_settings();
    if (!s) return nullptr;
    fluid_settings_setint(s, "synth.lock-memory", 0);
    fluid_settings_setint(s, "synth.reverb.active", 0);
    fluid_settings_setint(s, "synth.chorus.active", 0);
    return s;
}

bool playerAtEnd(fluid_player_t* p) {
    if (!p) return true;
    if (fluid_player_get_status(p) != FLUID_PLAYER_PLAYING) return true;
    // The track's last event is its end; what the player renders after it is silence.
    const int total = fluid_player_get_total_ticks(p);
    return total > 0 && fluid_player_get_current_tick(p) >= total;
}

} // namespace

FluidTunePlayer::FluidTunePlayer(TimerFactory& timers, const QString& soundFont)
    : m_watch(timers.create(kWatchMs)) {
    m_watch->setHandler([this] { watch(); });
    const QString path = soundFont.isEmpty() ? findSoundFont() : soundFont;
    m_settings = newSettings();
    if (!m_settings || path.isEmpty() || !QFileInfo(path).isFile()) return;
    m_synth = new_fluid_synth(m_settings);
    if (!m_synth) return;
    const int id = fluid_synth_sfload(m_synth, QFile::encodeName(path).constData(), 1);
    if (id != FLUID_FAILED) m_soundFont = id;
}

FluidTunePlayer::~FluidTunePlayer() {
    m_watch->stop();
    releaseAudio();
    if (m_player) delete_fluid_player(m_player);
    if (m_synth) delete_fluid_synth(m_synth);
    if (m_settings) delete_fluid_settings(m_settings);
}

QStringList FluidTunePlayer::soundFontCandidates() {
    return {QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
            QStringLiteral("/usr/share/soundfonts/default.sf2"),
            QStringLiteral("/usr/share/soundfonts/FluidR3_GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3")};
}

QString FluidTunePlayer::findSoundFont() {
    for (const QString& path : soundFontCandidates())
        if (QFileInfo(path).isFile()) return path;
    return {};
}

QByteArray FluidTunePlayer::readTune(const QString& path) {
    const std::optional<QByteArray> data = readRegularFile(path, kMaxTuneBytes);
    if (!data || !data->startsWith("MThd")) return {};
    return *data;
}

bool FluidTunePlayer::open(const QString& path) {
    m_watch->stop();
    releaseAudio();
    m_playing = false;
    m_tune = readTune(path);
    newPlayer();
    return !m_tune.isEmpty();
}

void FluidTunePlayer::newPlayer() {
    if (m_player) {
        delete_fluid_player(m_player);
        m_player = nullptr;
    }
    if (!hasSoundFont() || m_tune.isEmpty()) return;
    m_player = new_fluid_player(m_synth);
    if (m_player &&
        fluid_player_add_mem(m_player, m_tune.constData(), static_cast<size_t>(m_tune.size())) != FLUID_OK) {
        delete_fluid_player(m_player);
        m_player = nullptr;
    }
}

bool FluidTunePlayer::atEnd() const {
    return playerAtEnd(m_player);
}

void FluidTunePlayer::play() {
    if (!m_player) return;
    // A tune that has ended starts from the beginning again.
    if (!m_playing && fluid_player_get_status(m_player) == FLUID_PLAYER_DONE) newPlayer();
    if (!m_player || fluid_player_play(m_player) != FLUID_OK) return;
    m_playing = true;
    // The device is taken at the next watch tick, so that a play paused at once (the priming)
    // never opens it.
    m_watch->start();
}

void FluidTunePlayer::pause() {
    if (m_player && m_playing) fluid_player_stop(m_player);
    m_playing = false;
    m_watch->stop();
    releaseAudio();
}

void FluidTunePlayer::watch() {
    if (!m_playing || !m_player) {
        m_watch->stop();
        return;
    }
    if (atEnd()) {
        fluid_player_stop(m_player);
        m_playing = false;
        m_watch->stop();
        releaseAudio();
        newPlayer(); // ready to play from the start
        return;
    }
    if (!m_audio && !m_audioFailed) {
        m_audio = new_fluid_audio_driver(m_settings, m_synth);
        if (!m_audio) m_audioFailed = true;
    }
    if (!m_audio) { // no device: the tune is silent and ends at once
        fluid_player_stop(m_player);
        m_playing = false;
        m_watch->stop();
        newPlayer();
    }
}

void FluidTunePlayer::releaseAudio() {
    if (m_audio) {
        delete_fluid_audio_driver(m_audio);
        m_audio = nullptr;
    }
    if (m_synth) fluid_synth_all_sounds_off(m_synth, -1);
}

QByteArray FluidTunePlayer::renderToRaw(const QString& midiPath, const QString& soundFont,
                                        const QString& rawPath, int maxSeconds) {
    const QByteArray tune = readTune(midiPath);
    if (tune.isEmpty() || soundFont.isEmpty() || !QFileInfo(soundFont).isFile()) return {};
    fluid_settings_t* settings = newSettings();
    if (!settings) return {};
    const QByteArray out = QFile::encodeName(rawPath);
    fluid_settings_setstr(settings, "audio.file.name", out.constData());
    fluid_settings_setstr(settings, "audio.file.type", "raw");
    fluid_settings_setstr(settings, "audio.file.format", "s16");
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);

    QByteArray samples;
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (synth && fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) != FLUID_FAILED) {
        fluid_player_t* player = new_fluid_player(synth);
        if (player &&
            fluid_player_add_mem(player, tune.constData(), static_cast<size_t>(tune.size())) == FLUID_OK &&
            fluid_player_play(player) == FLUID_OK) {
            fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth);
            int period = 64;
            fluid_settings_getint(settings, "audio.period-size", &period);
            const long maxBlocks = 44100L * maxSeconds / std::max(1, period);
            for (long block = 0; renderer && block < maxBlocks && !playerAtEnd(player); ++block)
                if (fluid_file_renderer_process_block(renderer) != FLUID_OK) break;
            if (renderer) delete_fluid_file_renderer(renderer); // flushes and closes the file
            fluid_player_stop(player);
        }
        if (player) delete_fluid_player(player);
        QFile file(rawPath);
        if (file.open(QIODevice::ReadOnly)) samples = file.readAll();
    }
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return samples;
}

} // namespace ravlin
