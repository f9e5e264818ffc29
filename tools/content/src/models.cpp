// Geometry, texture mapping and walk cycle of the soldier, flame and trees.
#include "models.h"

#include "cAseWriter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// The walk loop runs over frames 20 to 99. Units wrap it by 79 frames and the
// mesh's own loop by 80, so frame 99 repeats the pose of frame 20 and both
// wraps run on smoothly. Frame 20 is also the standing pose.
constexpr int kLoopFirst = 20;
constexpr int kLoopLast = 99;

// Walk phase 0..1 of a frame; the frames before the loop hold the standing pose.
double walkPhase(int frame) {
    if (frame < kLoopFirst) return 0.0;
    return double(frame - kLoopFirst) / double(kLoopLast - kLoopFirst);
}

// Body rise while walking: lowest with both feet down, highest as they pass.
double bodyBob(int frame) {
    const double p = walkPhase(frame);
    return 2.5 * (1.0 - std::cos(4 * kPi * p)) / 2.0;
}

sVec3 plus(sVec3 a, sVec3 b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

struct sDetail {
    int headSegments, headRings;  // head segments stay a multiple of 4: the face needs meridians at +-90 degrees
    int smallSegments, smallRings;
    int tubeSegments;
};
constexpr sDetail kDetail[4] = {{24, 16, 10, 6, 12}, {16, 12, 8, 5, 8}, {12, 8, 6, 4, 6}, {8, 6, 4, 3, 4}};

const sVec3 kHeadCentre{0, 0, 45};
constexpr double kHeadRadius = 30;

// The face textures lie on the front half of the head, the picture's centre on
// the -y axis and its edges at the sides, top and bottom. Every point behind
// the sides maps onto the picture's edge (transparent), so no triangle streaks
// a face across the back of the head.
std::array<double, 2> headUV(sVec3 p, sVec3) {
    const sVec3 d = {p[0] - kHeadCentre[0], p[1] - kHeadCentre[1], p[2] - kHeadCentre[2]};
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    const double dz = std::clamp(d[2] / len, -1.0, 1.0);
    if (std::fabs(dz) > 0.9999) return {0.5, dz > 0 ? 1.0 : 0.0};
    const double phi = std::atan2(d[0], -d[1]);
    const double theta = std::asin(dz);
    if (std::fabs(phi) <= kPi / 2 + 1e-6) return {0.5 + phi / kPi, 0.5 + theta / kPi};
    return {phi > 0 ? 1.0 : 0.0, theta > 0 ? 1.0 : 0.0};
}

// Poses of parts that ride on the body: they rise and fall with the walk.
void rideOnBody(cModelPart& part) {
    const sVec3 pv = part.pivot();
    part.animate([pv](int f) { return sPose{plus(pv, {0, 0, bodyBob(f)}), sQuat{}}; }, kLastFrame + 1);
}

cModelPart makeHead(const sDetail& d) {
    cModelPart head("BallHead", kHeadCentre);
    head.addEllipsoid(kHeadCentre, {kHeadRadius, kHeadRadius, kHeadRadius}, d.headSegments, d.headRings);
    head.mapTexture(headUV);
    head.animate(
        [](int f) {
            const double p = walkPhase(f);
            // A rocking walk: lean over the foot that carries the weight, nod on each step.
            const double roll = 4.0 * std::sin(2 * kPi * p) * kDeg;
            const double nod = 2.0 * std::sin(4 * kPi * p) * kDeg;
            // Before the loop the head settles with a slow breath.
            const double breath = f < kLoopFirst ? 0.6 * std::sin(kPi * f / kLoopFirst) : 0.0;
            const sQuat rot = sQuat::axisAngle({0, 1, 0}, roll) * sQuat::axisAngle({1, 0, 0}, nod);
            return sPose{plus(kHeadCentre, {0, 0, bodyBob(f) + breath}), rot};
        },
        kLastFrame + 1);
    return head;
}

cModelPart makeHand(const char* name, double x, const sDetail& d) {
    const sVec3 c{x, -10, 36};
    cModelPart hand(name, c);
    hand.addEllipsoid(c, {9, 9, 9}, d.smallSegments, d.smallRings);
    rideOnBody(hand);
    return hand;
}

cModelPart makePistol(const sDetail& d) {
    // Held in the right hand, which is at -x when facing -y.
    cModelPart gun("BallPistol", {-40, -20, 40});
    gun.addBox({-43.5, -14, 26}, {-36.5, -7, 40});     // grip
    gun.addBox({-44, -36, 38}, {-36, -5, 46});         // slide
    gun.addBox({-42, -20, 33}, {-38, -14, 38});        // trigger guard
    gun.addCylinder({-40, -36, 42.5}, 1, -6, 2.5, std::max(4, d.tubeSegments / 2), true);  // muzzle
    gun.addBox({-41, -34, 46}, {-39, -31, 48.5});      // front sight
    gun.mapTexture([](sVec3 p, sVec3) -> std::array<double, 2> {
        return {(-p[1] - 5.0) / 37.0, (p[2] - 26.0) / 22.5};
    });
    rideOnBody(gun);
    return gun;
}

// The bazooka rides on the left shoulder (+x), beside the head so it never
// hides the face, pointing forward.
cModelPart makeBazooka(const char* name, bool loaded, const sDetail& d) {
    constexpr double x = 37, z = 57;
    cModelPart tube(name, {x, -5, z});
    tube.addCylinder({x, 24, z}, 1, -58, 6, d.tubeSegments, loaded);
    tube.addCylinder({x, 27, z}, 1, -5, 7.5, d.tubeSegments, false);  // rear flare
    tube.addBox({x - 3, -14, 44}, {x + 3, -7, 51});                   // grip, down to the hand
    tube.addBox({x + 5, -20, z}, {x + 8.5, -10, z + 6});              // sight
    if (loaded) {
        tube.addCylinder({x, -34, z}, 1, -6, 4.8, d.tubeSegments, false);
        tube.addCone({x, -40, z}, 1, 4.8, -12, d.tubeSegments);
    }
    // u runs from the back of the tube (0) to past the rocket's tip; v around the tube.
    tube.mapTexture([](sVec3 p, sVec3) -> std::array<double, 2> {
        const double u = (32.0 - p[1]) / 89.0;
        const double a = std::atan2(p[2] - z, p[0] - x);
        return {u, 0.5 + a / (2 * kPi)};
    });
    rideOnBody(tube);
    return tube;
}

// Feet step through the walk: the front foot lifts and swings forward (-y)
// while the other pushes back, toes rising as a foot leaves the ground.
cModelPart makeFoot(const char* name, double x, double phaseShift, const sDetail& d) {
    const sVec3 c{x, -4, 5};
    cModelPart foot(name, c);
    foot.addEllipsoid(c, {9, 13, 5}, d.smallSegments, d.smallRings);
    foot.animate(
        [c, phaseShift](int f) {
            const double p = walkPhase(f) + phaseShift;
            const double stride = 12.0 * std::cos(2 * kPi * p);
            const double swing = std::max(0.0, -std::sin(2 * kPi * p));
            const sQuat toe = sQuat::axisAngle({1, 0, 0}, -14.0 * swing * kDeg);
            return sPose{plus(c, {0, -stride, 7.0 * swing}), toe};
        },
        kLastFrame + 1);
    return foot;
}

}  // namespace

std::vector<cModelPart> buildBall(int lod) {
    const sDetail& d = kDetail[std::clamp(lod, 0, 3)];
    std::vector<cModelPart> parts;
    parts.push_back(makeHead(d));
    parts.push_back(makeHand("BallLeftHand", 40, d));
    parts.push_back(makeHand("BallRightHand", -40, d));
    parts.push_back(makePistol(d));
    parts.push_back(makeFoot("BallLFoot", 15, 0.0, d));
    parts.push_back(makeFoot("BallRFoot", -15, 0.5, d));
    parts.push_back(makeBazooka("BallBazookaOn", true, d));
    parts.push_back(makeBazooka("BallBazookaOff", false, d));
    return parts;
}

cModelPart buildFlame() {
    // Three crossed quads in front of the muzzle, so the flash reads from above,
    // from the side and from the front.
    cModelPart flame("BallFlame", {-40, -56, 42.5});
    const double x0 = -52, x1 = -28, y0 = -42, y1 = -70, z0 = 30.5, z1 = 54.5;
    flame.addQuad({x0, y1, 42.5}, {x1, y1, 42.5}, {x1, y0, 42.5}, {x0, y0, 42.5});  // from above
    flame.addQuad({-40, y0, z0}, {-40, y1, z0}, {-40, y1, z1}, {-40, y0, z1});      // from the side
    flame.addQuad({x0, -52, z0}, {x1, -52, z0}, {x1, -52, z1}, {x0, -52, z1});      // from the front
    flame.mapTexture([=](sVec3 p, sVec3 n) -> std::array<double, 2> {
        const double along = (p[1] - y0) / (y1 - y0);
        const double across = (p[0] - x0) / (x1 - x0);
        const double up = (p[2] - z0) / (z1 - z0);
        if (std::fabs(n[2]) > 0.5) return {across, along};
        if (std::fabs(n[0]) > 0.5) return {along, up};
        return {across, up};
    });
    return flame;
}

std::vector<cModelPart> buildTrees() {
    // The game plants a model on about one tree cell in four, so a tree is
    // about two cells across: a wood then reads as closed, as it is to walkers.
    // Wider more than taller, so woods do not hide the soldiers behind them.
    constexpr double k = 1.35, kh = 1.1;
    auto at = [](double x, double y, double z) { return sVec3{x, y * k, z * kh}; };
    std::vector<cModelPart> t;
    // A pine: three stacked cones.
    t.emplace_back("Tree1Stem", sVec3{0, 0, 0});
    t.back().addCylinder({0, 0, 0}, 2, 55 * kh, 9 * k, 8, false);
    t.emplace_back("Tree1Top", sVec3{0, 0, 0});
    t.back().addCone(at(0, 0, 35), 2, 70 * k, 90 * kh, 10);
    t.back().addCone(at(0, 0, 80), 2, 55 * k, 80 * kh, 10);
    t.back().addCone(at(0, 0, 125), 2, 38 * k, 75 * kh, 10);
    // A broad oak: a cluster of round crowns and a bough.
    t.emplace_back("Tree2Stem", sVec3{300, 0, 0});
    t.back().addCylinder({300, 0, 0}, 2, 95 * kh, 11 * k, 8, false);
    t.back().addCylinder({300, 0, 60 * kh}, 0, 28 * k, 4 * k, 4, false);
    t.emplace_back("Tree2Top", sVec3{300, 0, 0});
    t.back().addEllipsoid(at(300, 0, 135), {60 * k, 60 * k, 48 * kh}, 8, 5);
    t.back().addEllipsoid(at(300 + 32 * k, 18, 112), {40 * k, 40 * k, 34 * kh}, 8, 5);
    t.back().addEllipsoid(at(300 - 30 * k, -20, 114), {42 * k, 42 * k, 34 * kh}, 8, 5);
    t.back().addEllipsoid(at(300 - 4 * k, -4, 170), {38 * k, 38 * k, 30 * kh}, 8, 5);
    // A slim poplar: a tall narrow crown with a smaller one at its side.
    t.emplace_back("Tree3Stem", sVec3{600, 0, 0});
    t.back().addCylinder({600, 0, 0}, 2, 50 * kh, 8 * k, 8, false);
    t.emplace_back("Tree3Top", sVec3{600, 0, 0});
    t.back().addEllipsoid(at(600, 0, 140), {36 * k, 36 * k, 105 * kh}, 10, 8);
    t.back().addEllipsoid(at(600 + 14 * k, 8, 96), {28 * k, 28 * k, 58 * kh}, 8, 5);
    return t;
}

bool writeModels(const std::string& dir) {
    static const char* const kBallFiles[4] = {"ball.ASE", "ball_L2.ASE", "ball_L4.ASE", "ball_L8.ASE"};
    bool ok = true;
    for (int lod = 0; lod < 4; lod++) {
        const std::vector<cModelPart> parts = buildBall(lod);
        cAseWriter w(kBallFiles[lod], kLastFrame);
        for (const cModelPart& p : parts) {
            const bool gun = p.name() == "BallPistol";
            w.add(p, gun ? "pistol.bmp" : p.name() == "BallHead" ? "wink1.bmp" : "bazooka.bmp");
        }
        ok = w.save(dir + "/" + kBallFiles[lod]) && ok;
    }
    const cModelPart flame = buildFlame();
    cAseWriter wf("flame", kLastFrame);
    wf.add(flame, "flame.bmp");
    ok = wf.save(dir + "/flame.ASE") && ok;
    const std::vector<cModelPart> trees = buildTrees();
    cAseWriter wt("trees", kLastFrame);
    for (const cModelPart& p : trees) wt.add(p);
    ok = wt.save(dir + "/trees.ASE") && ok;
    return ok;
}
