// The game's eight sound effects, three voices each, played in turn.
#pragma once

#include "platform/audioDevice.h"

class cSound {
public:
    static constexpr int numEffects = 8;
    static constexpr int numCopies = 3;

    cSound();
    ~cSound();
    cSound(const cSound&) = delete;
    cSound& operator=(const cSound&) = delete;

    // Opens every copy of every effect, printing one line per effect on standard error.
    // With no audio device every line says FAILED and the game runs silent. Always true.
    bool load();
    // Starts the next copy of effect i from its beginning; an index outside 0..7 is ignored.
    void play(int i);
    // Closes every voice and releases the audio device; safe before load and when called twice.
    void dispose();

    // The campaign's volume: 0 to 1 (the settings' percent over 100; mute is 0).
    void setGain(float gain) { device.setGain(gain); }

    // The voice alias of copy k of effect i, e.g. "snd7i2".
    static std::string alias(int i, int k);
    const audioDevice& getDevice() const { return device; }

private:
    int nextCopy[numEffects] = {};        // copy of each effect that plays next, 0..2
    const char* files[numEffects] = {};   // file of each effect, set by load
    bool loaded = false;
    audioDevice device;
};
