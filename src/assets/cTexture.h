// The texture set the units wear: weapon skins, muzzle flash, eye-blink frames and the mood faces.
#pragma once

class cBitmap;

class cTexture {
public:
    static constexpr int numMoods = 5;   // smile, angry, laught, cry, talk
    static constexpr int numFrames = 7;

    // Magnification filter of every texture of the set.
    int filter;
    // GL texture names; 0 (no texture) for a file that failed, so nothing binds a stale name.
    unsigned pistol = 0;
    unsigned bazooka = 0;
    unsigned faces[numMoods][numFrames] = {};
    unsigned flame = 0;
    unsigned wink[numFrames] = {};

    cTexture();

    // Loads the whole set, printing its progress on standard error; needs a GL context.
    // Files that fail print FAILED and leave their slot 0; always true.
    bool load();
    // Loads one file unkeyed into a new texture and prints its line; false when it cannot be read.
    bool createTex(unsigned* id, const char* path);
    // Uploads a bitmap already in memory into a new texture; prints nothing.
    void createTex(unsigned* id, cBitmap* bitmap);

    // Magenta becomes transparent, with a soft fringe grown three pixels into it; no GL needed.
    static void keyBitmap(cBitmap& bitmap);

private:
    // Loads, keys and uploads one picture, printing its line.
    void createKeyedTex(unsigned* id, const char* path, cBitmap& work);
};
