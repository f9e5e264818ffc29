// Table of held keys, indexed by an 8-bit key code.
#pragma once

#include <cstdint>

class cKeys {
public:
    cKeys() { clearAll(); }

    bool isKey(uint8_t key) const { return flags[key] != 0; }
    void setKey(uint8_t key) { flags[key] = 1; }
    void clearKey(uint8_t key) { flags[key] = 0; }
    void clearAll();

private:
    uint8_t flags[256];
};
