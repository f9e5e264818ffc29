// The view: the camera's glide, a pan under a turn, and the view volume box test.
#include "shell/cCamera.h"
#include "shell/globals.h"
#include "world/cFrustum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(Camera, GlidesAtConstantSpeedSnapsOnArrivalAndPansAlongTheTurn) {
    cCamera c;
    c.translateTo(30, 40); // 50 units away
    c.update(1000); // 8 units
    EXPECT_LT(std::hypot(c.getX() - 8 * 0.6, c.getY() - 8 * 0.8), 1e-4) << c.getX() << "," << c.getY();
    c.update(100000);
    c.update(0); // already there: stays exactly
    EXPECT_EQ(std::pair(c.getX(), c.getY()), std::pair(30.0f, 40.0f));

    // A pan follows the turn and is not undone.
    c.reset();
    c.translate(1, 0);
    c.translate(0, 1);
    c.update(1000);
    EXPECT_EQ(std::pair(c.getX(), c.getY()), std::pair(1.0f, -1.0f));
    c.reset();
    c.rotZ(90);
    c.translate(1, 0);
    EXPECT_LT(std::hypot(c.getX(), c.getY() + 1), 1e-6) << c.getX() << "," << c.getY();
    c.reset(); // the turn goes with the rest
    EXPECT_EQ(std::pair(c.getAngleZRad(), c.getXTarget()), std::pair(0.0f, 0.0f));
}

TEST(Frustum, DropsOnlyBoxesWhollyBeyondAPlaneOfTheViewAndMeasuresPixelsPerUnitNearestTheEye) {
    // Column-major: the identity's view volume is the cube -1..1; the second view
    // moves everything 10 along x and halves x, so it sees world x -12..-8.
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
    const float halve[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const cFrustum cube(identity, identity), shifted(halve, moved);
    const struct { const cFrustum& f; float low[3], high[3]; bool outside; } cases[] = {
        {cube, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, false},
        {cube, {1, 0, 0}, {3, 1, 1}, false},          // touching the edge
        {cube, {0.9f, 0.9f, -5}, {5, 5, 5}, false},   // reaching in at a corner
        {cube, {1.5f, 0, 0}, {3, 1, 1}, true},
        {cube, {0, -3, 0}, {1, -1.5f, 1}, true},
        {cube, {0, 0, 2}, {1, 1, 3}, true},            // beyond the far plane
        {cube, {NAN, 0, 0}, {1, 1, 1}, false},         // nonsense bounds are kept, never lost
        {shifted, {-11, 0, 0}, {-9, 0.5f, 0.5f}, false},
        {shifted, {-1, 0, 0}, {1, 0.5f, 0.5f}, true},
        {shifted, {-14, 0, 0}, {-12.5f, 0.5f, 0.5f}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.f.outside(c.low, c.high), c.outside) << c.low[0] << "," << c.low[1];

    // Pixels per unit are measured at the box corner nearest the eye. A 90 degree view (y scaled by 1) over 600 pixels:
    // a unit at distance d spans 300 / d pixels. The eye is moved 10 back along z, so a box at z -90..0 is 10 away at
    // its nearest.
    const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, -1, 0, 0, -2, 0};
    const float back[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -10, 1};
    const cFrustum view(projection, back, 600), sizeless(projection, back);
    const float nearLow[3] = {-5, -5, -90}, nearHigh[3] = {5, 5, 0};
    EXPECT_FLOAT_EQ(view.pixelsPerUnit(nearLow, nearHigh), 30.0f);
    const float farLow[3] = {0, 0, -200}, farHigh[3] = {1, 1, -140};
    EXPECT_FLOAT_EQ(view.pixelsPerUnit(farLow, farHigh), 2.0f);
    // Reaching the eye's plane, or with no viewport, full detail is the only safe answer.
    const float aroundLow[3] = {-1, -1, -20}, aroundHigh[3] = {1, 1, 12}, behind[3] = {1, 1, 30};
    EXPECT_TRUE(std::isinf(view.pixelsPerUnit(aroundLow, aroundHigh)));
    EXPECT_TRUE(std::isinf(view.pixelsPerUnit(aroundHigh, behind)));
    EXPECT_TRUE(std::isinf(sizeless.pixelsPerUnit(farLow, farHigh)));
    EXPECT_TRUE(std::isinf(cFrustum(projection, identity, 600).pixelsPerUnit(nearLow, nearHigh)));
}

TEST(Camera, GroundPointCentresOnTheTargetAndKeepsTheFallbackAboveTheHorizon) {
    // However it is zoomed, tilted (short of the horizon) and turned, the centre pixel
    // sees the point the camera was sent over: the map's (10, 20) on a 64 x 48 map.
    for (int tilt : {0, 20, -40}) {
        for (float turn : {0.0f, 37.0f, -120.0f}) {
            cCamera c;
            c.zoom(-40);
            c.rotX(tilt);
            c.rotZ(turn);
            c.translateTo(32 - 10, 24 - 20);
            c.update(100000);
            float gx = -1, gy = -1;
            ASSERT_TRUE(c.groundPoint(400, 300, 800, 600, 64, 48, gx, gy)) << tilt << " " << turn;
            EXPECT_LT(std::hypot(gx - 10, gy - 20), 1e-3) << tilt << " " << turn << ": " << gx << "," << gy;
        }
    }
    // Tilted 80 degrees the view's top row looks above the horizon: the caller's point
    // stays, while the bottom row still sees the ground. A window with no pixels sees nothing.
    cCamera c;
    c.rotX(-45);
    float gx = 5, gy = 6;
    EXPECT_FALSE(c.groundPoint(400, 0, 800, 600, 64, 48, gx, gy));
    EXPECT_EQ(std::pair(gx, gy), std::pair(5.0f, 6.0f));
    EXPECT_TRUE(c.groundPoint(400, 599, 800, 600, 64, 48, gx, gy));
    EXPECT_FALSE(c.groundPoint(0, 0, 0, 600, 64, 48, gx, gy));
}
