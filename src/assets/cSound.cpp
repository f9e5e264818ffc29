// Loading, playing in rotation and closing the sound effects.
#include "assets/cSound.h"

#include <cstdio>

namespace {

const char* const sndfiles[cSound::numEffects] = {
    "sounds/ctsm.wav",    "sounds/roger.wav",   "sounds/clear.wav",   "sounds/laught.wav",
    "sounds/pistol1.wav", "sounds/pistol2.wav", "sounds/pistol3.wav", "sounds/explode.wav",
};

} // namespace

cSound::cSound() = default;

cSound::~cSound()
{
    dispose();
}

std::string cSound::alias(int i, int k)
{
    char name[32];
    std::snprintf(name, sizeof name, "snd%di%d", i, k);
    return name;
}

bool cSound::load()
{
    dispose();
    // No device is not an error: every effect reports FAILED and the game runs silent.
    device.open();
    for (int i = 0; i < numEffects; ++i) {
        files[i] = sndfiles[i];
        nextCopy[i] = 0;
        std::fprintf(stderr, "Loading sound \"%s\" .. ", files[i]);
        bool ok = true;
        for (int k = 0; k < numCopies; ++k)
            ok = device.openVoice(alias(i, k), files[i]) && ok;
        std::fprintf(stderr, "%s\n", ok ? "OK" : "FAILED");
    }
    loaded = true;
    return true;
}

void cSound::play(int i)
{
    if (!loaded || i < 0 || i >= numEffects)
        return;
    std::string name = alias(i, nextCopy[i]);
    nextCopy[i] = (nextCopy[i] + 1) % numCopies;
    device.play(name);
}

void cSound::dispose()
{
    if (!loaded)
        return;
    for (int i = 0; i < numEffects; ++i)
        for (int k = 0; k < numCopies; ++k)
            device.closeVoice(alias(i, k));
    device.close();
    loaded = false;
}
