// Writes model parts as an ASCII scene export file, laid out the way the 3ds Max
// exporter writes it, within the subset the game's reader understands.
#pragma once

#include "cModelPart.h"

#include <string>
#include <vector>

class cAseWriter {
public:
    // The scene runs from frame 0 to lastFrame at ticksPerFrame ticks a frame.
    cAseWriter(std::string sceneName, int lastFrame, int ticksPerFrame = 160);

    // Texture file named in the material of the parts that carry texture coordinates.
    void add(const cModelPart& part, const std::string& textureFile = "");

    // False when the file cannot be written.
    bool save(const std::string& path) const;
    // The file's text, as save writes it.
    std::string text() const;

private:
    struct sEntry {
        const cModelPart* part;
        std::string texture;
    };
    void writeObject(std::string& out, const sEntry& e, int material) const;
    void writeAnimation(std::string& out, const cModelPart& part) const;

    std::string scene;
    int lastFrame;
    int ticksPerFrame;
    std::vector<sEntry> entries;
};
