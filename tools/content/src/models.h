// The game's models: the ball soldier in four levels of detail, the muzzle
// flash and the three trees, written as ASE files into a models folder.
#pragma once

#include "cModelPart.h"

#include <string>
#include <vector>

// Scene length shared by every model file: frames 0 to kLastFrame.
constexpr int kLastFrame = 100;

// The eight soldier objects at a level of detail (0 finest to 3 coarsest).
std::vector<cModelPart> buildBall(int lod);
cModelPart buildFlame();
std::vector<cModelPart> buildTrees();

// Writes the six model files into dir; false when one cannot be written.
bool writeModels(const std::string& dir);
