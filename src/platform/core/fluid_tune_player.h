#pragma once

#include "platform/core/timer.h"
#include "platform/core/tune_player.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// FluidSynth's handles, kept out of the header.
struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;
struct _fluid_audio_driver_t;

namespace ravlin {

// The match tune on FluidSynth with a General MIDI soundfont. Nothing of FluidSynth is touched at
// start: the library is loaded and the soundfont read when a tune is first played (a play paused at
// once, the priming, loads nothing). The audio device is taken only while the tune plays and released
// at the end of the track, so the player's trailing silence never keeps the device busy. Without the
// library, a soundfont or an audio device the player stays silent.
class FluidTunePlayer : public TunePlayer {
public:
    // `soundFont` empty: the first of soundFontCandidates() that exists.
    explicit FluidTunePlayer(TimerFactory& timers, const QString& soundFont = QString());
    ~FluidTunePlayer() override;

    bool open(const QString& path) override;
    void play() override;
    void pause() override;

    // Whether a soundfont was loaded (it is, at the first play that starts, when one can be).
    bool hasSoundFont() const { return m_soundFont >= 0; }
    bool isPlaying() const { return m_playing; }

    // Where General MIDI soundfonts are usually installed, in order of preference.
    static QStringList soundFontCandidates();
    static QString findSoundFont();

    // Reads a tune file: its bytes when it exists, is not empty, is at most `kMaxTuneBytes` long and
    // begins as a MIDI file; else empty.
    static constexpr qint64 kMaxTuneBytes = 1 << 20;
    static QByteArray readTune(const QString& path);

    // Renders a MIDI file through FluidSynth's file renderer into `rawPath` (signed 16-bit stereo,
    // 44100 Hz) and returns the samples; stops at the end of the track, at most `maxSeconds` long.
    // Empty when the soundfont or the file cannot be used.
    static QByteArray renderToRaw(const QString& midiPath, const QString& soundFont, const QString& rawPath,
                                  int maxSeconds = 30);

private:
    void watch();
    void releaseAudio();
    bool loadSynth();
    bool startPlayer();
    void stopSilently();
    void newPlayer();
    void dropPlayer();

    QString m_soundFontPath;

    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_synth_t* m_synth = nullptr;
    _fluid_player_t* m_player = nullptr;
    _fluid_audio_driver_t* m_audio = nullptr;
    int m_soundFont = -1;
    QByteArray m_tune;
    bool m_playing = false; // asked to play
    bool m_started = false; // the FluidSynth player runs
    bool m_synthTried = false;
    bool m_audioFailed = false; // no device: stay silent instead of retrying at every play
    std::unique_ptr<Timer> m_watch;
};

} // namespace ravlin
