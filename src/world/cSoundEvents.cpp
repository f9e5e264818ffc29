// Collecting the simulation's sound requests until the game takes them.
#include "world/cSoundEvents.h"

#include <utility>

void cSoundEvents::emit(int sound) {
    if (sounds.size() < capacity)
        sounds.push_back(sound);
}

std::vector<int> cSoundEvents::take() {
    return std::exchange(sounds, {});
}
