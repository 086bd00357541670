#include "platform/core/fluid_tune_player.h"

#include "platform/core/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>

// Declarations only: the library itself is loaded when a tune is first played.
#include <fluidsynth.h>

#include <algorithm>

namespace ravlin {

namespace {

constexpr int kWatchMs = 50;

// FluidSynth and its audio stack (some twenty shared libraries) are loaded with dlopen when a tune is
// first played, not at process start; without the library the player stays silent.
#define RAVLIN_FLUID_FUNCTIONS(X)                                                                            \
    X(fluid_set_log_function)                                                                                \
    X(new_fluid_settings)                                                                                    \
    X(delete_fluid_settings)                                                                                 \
    X(fluid_settings_setint) X(fluid_settings_getint) X(fluid_settings_setstr) X(fluid_settings_setnum)      \
        X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload) X(fluid_synth_all_sounds_off)         \
            X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add_mem) X(fluid_player_play)          \
                X(fluid_player_stop) X(fluid_player_get_status) X(fluid_player_get_total_ticks)              \
                    X(fluid_player_get_current_tick) X(new_fluid_audio_driver) X(delete_fluid_audio_driver)  \
                        X(new_fluid_file_renderer) X(fluid_file_renderer_process_block)                      \
                            X(delete_fluid_file_renderer)

struct Fluid {
#define RAVLIN_FLUID_MEMBER(f) decltype(&::f) f = nullptr;
    RAVLIN_FLUID_FUNCTIONS(RAVLIN_FLUID_MEMBER)
#undef RAVLIN_FLUID_MEMBER
};

// The library's functions, or nullptr when it cannot be loaded (tried once).
const Fluid* fluid() {
    static const Fluid* loaded = []() -> const Fluid* {
        static QLibrary library;
        static Fluid f;
        bool ok = false;
        for (int version : {3, 2, 1}) {
            library.setFileNameAndVersion(QStringLiteral("fluidsynth"), version);
            if ((ok = library.load())) break;
        }
        if (!ok) return nullptr;
#define RAVLIN_FLUID_RESOLVE(fn)                                                                             \
    f.fn = reinterpret_cast<decltype(f.fn)>(library.resolve(#fn));                                           \
    if (!f.fn) return nullptr;
        RAVLIN_FLUID_FUNCTIONS(RAVLIN_FLUID_RESOLVE)
#undef RAVLIN_FLUID_RESOLVE
        // FluidSynth reports a missing audio device or soundfont on stderr; the player handles both
        // by staying silent, so those reports are not wanted.
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            f.fluid_set_log_function(level, nullptr, nullptr);
        return &f;
    }();
    return loaded;
}

fluid_settings_t* newSettings(const Fluid& fl) {
    fluid_settings_t* s = fl.new_fluid_settings();
    if (!s) return nullptr;
    fl.fluid_settings_setint(s, "synth.lock-memory", 0);
    fl.fluid_settings_setint(s, "synth.reverb.active", 0);
    fl.fluid_settings_setint(s, "synth.chorus.active", 0);
    return s;
}

bool playerAtEnd(const Fluid& fl, fluid_player_t* p) {
    if (!p) return true;
    if (fl.fluid_player_get_status(p) != FLUID_PLAYER_PLAYING) return true;
    // The track's last event is its end; what the player renders after it is silence.
    const int total = fl.fluid_player_get_total_ticks(p);
    return total > 0 && fl.fluid_player_get_current_tick(p) >= total;
}

} // namespace

FluidTunePlayer::FluidTunePlayer(TimerFactory& timers, const QString& soundFont)
    : m_soundFontPath(soundFont), m_watch(timers.create(kWatchMs)) {
    m_watch->setHandler([this] { watch(); });
}

FluidTunePlayer::~FluidTunePlayer() {
    m_watch->stop();
    releaseAudio();
    // Settings exist only once the library was loaded.
    if (m_settings) {
        const Fluid* fl = fluid();
        if (m_player) fl->delete_fluid_player(m_player);
        if (m_synth) fl->delete_fluid_synth(m_synth);
        if (m_settings) fl->delete_fluid_settings(m_settings);
    }
}

bool FluidTunePlayer::loadSynth() {
    if (m_synthTried) return hasSoundFont();
    m_synthTried = true;
    const Fluid* fl = fluid();
    const QString path = m_soundFontPath.isEmpty() ? findSoundFont() : m_soundFontPath;
    if (!fl || path.isEmpty() || !QFileInfo(path).isFile()) return false;
    m_settings = newSettings(*fl);
    if (!m_settings) return false;
    m_synth = fl->new_fluid_synth(m_settings);
    if (!m_synth) return false;
    const int id = fl->fluid_synth_sfload(m_synth, QFile::encodeName(path).constData(), 1);
    if (id != FLUID_FAILED) m_soundFont = id;
    return hasSoundFont();
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
    pause();
    m_tune = readTune(path);
    dropPlayer();
    return !m_tune.isEmpty();
}

void FluidTunePlayer::dropPlayer() {
    if (m_player) fluid()->delete_fluid_player(m_player);
    m_player = nullptr;
}

void FluidTunePlayer::newPlayer() {
    dropPlayer();
    if (!hasSoundFont() || m_tune.isEmpty()) return;
    const Fluid& fl = *fluid();
    m_player = fl.new_fluid_player(m_synth);
    if (m_player &&
        fl.fluid_player_add_mem(m_player, m_tune.constData(), static_cast<size_t>(m_tune.size())) != FLUID_OK)
        dropPlayer();
}

void FluidTunePlayer::play() {
    if (m_tune.isEmpty()) return;
    m_playing = true;
    // The synthesizer and the device are taken at the next watch tick, so that a play paused at once
    // (the priming) loads nothing and never opens the device.
    m_watch->start();
}

void FluidTunePlayer::pause() {
    if (m_player && m_started) fluid()->fluid_player_stop(m_player);
    m_started = false;
    m_playing = false;
    m_watch->stop();
    releaseAudio();
}

bool FluidTunePlayer::startPlayer() {
    if (!loadSynth()) return false;
    const Fluid& fl = *fluid();
    // A tune that has ended starts from the beginning again.
    if (!m_player || fl.fluid_player_get_status(m_player) == FLUID_PLAYER_DONE) newPlayer();
    return m_player && fl.fluid_player_play(m_player) == FLUID_OK;
}

void FluidTunePlayer::stopSilently() {
    m_started = false;
    m_playing = false;
    m_watch->stop();
}

void FluidTunePlayer::watch() {
    if (!m_playing) {
        m_watch->stop();
        return;
    }
    if (!m_started) {
        if (!startPlayer()) return stopSilently(); // no library, soundfont or tune: silent
        m_started = true;
    }
    const Fluid& fl = *fluid();
    if (playerAtEnd(fl, m_player)) {
        fl.fluid_player_stop(m_player);
        stopSilently();
        releaseAudio();
        newPlayer(); // ready to play from the start
        return;
    }
    if (!m_audio && !m_audioFailed) {
        m_audio = fl.new_fluid_audio_driver(m_settings, m_synth);
        if (!m_audio) m_audioFailed = true;
    }
    if (!m_audio) { // no device: the tune is silent and ends at once
        fl.fluid_player_stop(m_player);
        stopSilently();
        newPlayer();
    }
}

void FluidTunePlayer::releaseAudio() {
    const Fluid* fl = m_synth ? fluid() : nullptr;
    if (!fl) return;
    if (m_audio) {
        fl->delete_fluid_audio_driver(m_audio);
        m_audio = nullptr;
    }
    fl->fluid_synth_all_sounds_off(m_synth, -1);
}

QByteArray FluidTunePlayer::renderToRaw(const QString& midiPath, const QString& soundFont,
                                        const QString& rawPath, int maxSeconds) {
    const QByteArray tune = readTune(midiPath);
    if (tune.isEmpty() || soundFont.isEmpty() || !QFileInfo(soundFont).isFile()) return {};
    const Fluid* fl = fluid();
    if (!fl) return {};
    fluid_settings_t* settings = newSettings(*fl);
    if (!settings) return {};
    const QByteArray out = QFile::encodeName(rawPath);
    fl->fluid_settings_setstr(settings, "audio.file.name", out.constData());
    fl->fluid_settings_setstr(settings, "audio.file.type", "raw");
    fl->fluid_settings_setstr(settings, "audio.file.format", "s16");
    fl->fluid_settings_setstr(settings, "player.timing-source", "sample");
    fl->fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);

    QByteArray samples;
    fluid_synth_t* synth = fl->new_fluid_synth(settings);
    if (synth && fl->fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) != FLUID_FAILED) {
        fluid_player_t* player = fl->new_fluid_player(synth);
        if (player &&
            fl->fluid_player_add_mem(player, tune.constData(), static_cast<size_t>(tune.size())) ==
                FLUID_OK &&
            fl->fluid_player_play(player) == FLUID_OK) {
            fluid_file_renderer_t* renderer = fl->new_fluid_file_renderer(synth);
            int period = 64;
            fl->fluid_settings_getint(settings, "audio.period-size", &period);
            const long maxBlocks = 44100L * maxSeconds / std::max(1, period);
            for (long block = 0; renderer && block < maxBlocks && !playerAtEnd(*fl, player); ++block)
                if (fl->fluid_file_renderer_process_block(renderer) != FLUID_OK) break;
            if (renderer) fl->delete_fluid_file_renderer(renderer); // flushes and closes the file
            fl->fluid_player_stop(player);
        }
        if (player) fl->delete_fluid_player(player);
        QFile file(rawPath);
        if (file.open(QIODevice::ReadOnly)) samples = file.readAll();
    }
    if (synth) fl->delete_fluid_synth(synth);
    fl->delete_fluid_settings(settings);
    return samples;
}

} // namespace ravlin
