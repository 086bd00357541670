#pragma once

#include <QString>

namespace ravlin {

// Plays the short MIDI tune of the match window. open() gives the player a file; play() starts
// it (from the start again once it has ended), pause() holds it where it is. A player that cannot
// make sound (no file, no soundfont, no audio device) stays silent; no call ever blocks.
class TunePlayer {
public:
    virtual ~TunePlayer() = default;

    // Returns whether the file was taken (it exists, is not empty and reads as MIDI).
    virtual bool open(const QString& path) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
};

// The player used where no sound is wanted.
class SilentTunePlayer : public TunePlayer {
public:
    bool open(const QString&) override { return false; }
    void play() override {}
    void pause() override {}
};

} // namespace ravlin
