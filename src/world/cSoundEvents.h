// The sounds a level's simulation asks for, in order, for the game to play after its update.
#pragma once

#include <cstddef>
#include <vector>

class cSoundEvents {
public:
    // More than a frame could ever play: a headless run that never drains stays this small.
    static constexpr std::size_t capacity = 256;

    // Drops the sound once capacity are waiting.
    void emit(int sound);
    // The waiting sounds, oldest first; the list is empty afterwards.
    std::vector<int> take();
    const std::vector<int>& pending() const { return sounds; }
    void clear() { sounds.clear(); }

private:
    std::vector<int> sounds;
};
