// Explosion sounds: a grenade or rocket that goes off at the end of its flight is heard once.
#include "weapons/cAmmo.h"

#include "assets/cSound.h"
#include "assetsTestFiles.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(AmmoSound, EveryLandingIsHeardOnce) {
    using namespace assetsTest;
    setenv("ALSOFT_DRIVERS", "null", 1);  // plays to nowhere but counts what was started
    ScratchDir dir;
    writeFile(dir.file("sounds/explode.wav"), sineWav(50));
    WorkingDir cwd(dir.path);
    cSound snd;
    ::testing::internal::CaptureStderr();
    snd.load();
    ::testing::internal::GetCapturedStderr();
    if (!snd.getDevice().isOpen()) GTEST_SKIP() << "OpenAL's null device did not open";
    auto heard = [&snd] {
        int n = 0;
        for (int k = 0; k < cSound::numCopies; k++) n += snd.getDevice().startCount(cSound::alias(7, k));
        return n;
    };

    cAmmo ammo;
    ammo.setSnd(&snd);
    ammo.addGrenade(5, 5, 5, 5, 15.0f);
    ammo.addRocket(5, 5, 7, 5, 30.0f);
    ammo.update(20);
    EXPECT_EQ(heard(), 1);
    ammo.update(100);
    ammo.update(100);
    EXPECT_EQ(heard(), 2);
    // The lists' own launches pass the sound set on.
    ammo.getGrenades()->addGrenade(0, 0, 0, 0, 15.0f);
    ammo.getRockets()->addRocket(0, 0, 0, 0, 15.0f);
    ammo.update(20);
    EXPECT_EQ(heard(), 4);
}
