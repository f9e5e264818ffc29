// Explosion sounds: every grenade and rocket that goes off at the end of its flight is heard, once.
#include "weapons/cAmmo.h"

#include "assets/cSound.h"
#include "assetsTestFiles.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace assetsTest;

namespace {
constexpr int kExplosion = 7;

int explosionsHeard(const cSound& snd) {
    int n = 0;
    for (int k = 0; k < cSound::numCopies; k++) n += snd.getDevice().startCount(cSound::alias(kExplosion, k));
    return n;
}
}  // namespace

TEST(AmmoSound, EveryLandingIsHeardOnceAndATreeStrikeIsSilent) {
    // OpenAL's null device plays to nowhere but counts what was started.
    setenv("ALSOFT_DRIVERS", "null", 1);
    ScratchDir dir;
    writeFile(dir.file("sounds/explode.wav"), sineWav(50));
    WorkingDir cwd(dir.path);
    cSound snd;
    ::testing::internal::CaptureStderr();
    snd.load();
    ::testing::internal::GetCapturedStderr();
    if (!snd.getDevice().isOpen()) GTEST_SKIP() << "OpenAL's null device did not open";

    cAmmo ammo;
    ammo.setSnd(&snd);
    ammo.addGrenade(5, 5, 5, 5, 15.0f);
    ammo.addRocket(5, 5, 7, 5, 30.0f);
    ammo.update(20);
    EXPECT_EQ(explosionsHeard(snd), 1);  // the grenade at its thrower's feet
    ammo.update(100);
    EXPECT_EQ(explosionsHeard(snd), 2);  // the rocket at 2 units
    ammo.update(100);
    EXPECT_EQ(explosionsHeard(snd), 2);  // waiting for their blasts: no more

    // The lists' own launches pass the sound set on.
    ammo.getGrenades()->addGrenade(0, 0, 0, 0, 15.0f);
    ammo.getRockets()->addRocket(0, 0, 0, 0, 15.0f);
    ammo.update(20);
    EXPECT_EQ(explosionsHeard(snd), 4);

    // A rocket set off on its way (over a tree) makes no sound of its own.
    ammo.addRocket(0, 0, 30, 0, 30.0f);
    ammo.update(20);
    ammo.getRockets()->prepareExplosion();
    ammo.update(20);
    EXPECT_EQ(explosionsHeard(snd), 4);
}
