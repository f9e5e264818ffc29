// The camera's ground pick, done on the CPU, against the unprojection of GL's own matrices.
#include "shell/cCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {
// The pick the game once made from the GL matrices: window pixel (sx, sy counted from the
// top) to the point of z = 0 under it, the outputs left as they were where the ray misses.
bool glPick(double sx, double sy, double* outX, double* outY, int winHeight) {
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    const double wy = winHeight - sy;
    double n[3], f[3];
    if (!gluUnProject(sx, wy, 0.0, mv, pr, vp, &n[0], &n[1], &n[2]) ||
        !gluUnProject(sx, wy, 1.0, mv, pr, vp, &f[0], &f[1], &f[2]))
        return false;
    const double dx = f[0] - n[0], dy = f[1] - n[1], dz = f[2] - n[2];
    const double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!std::isfinite(len) || len == 0.0 || std::fabs(dz) < 1e-9 * len) return false;
    const double t = -n[2] / dz;
    if (!(t >= 0.0)) return false;
    const double px = n[0] + t * dx, py = n[1] + t * dy;
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > 1e6 || std::fabs(py) > 1e6) return false;
    *outX = px;
    *outY = py;
    return true;
}

// The level's 3D pass: the game's perspective, the camera, the map centred on the origin.
void levelView(const cCamera& cam, int w, int h, float mapW, float mapH) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(cCamera::fieldOfView, double(w) / h, cCamera::nearPlane, cCamera::farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    cam.render();
    glTranslatef(mapW / -2, mapH / -2, 0);
}
}  // namespace

TEST(GroundPick, MatchesTheGlUnprojectionForEveryPoseAndNeverAnswersBehindTheEye) {
    // Tilts through the whole circle (the edge-on views at -90 and 90 included), turns past
    // a full one, zooms to both ends, pans, two window shapes; pixels over the whole window.
    const float mapW = 64, mapH = 48;
    int compared = 0, answered = 0;
    for (int tilt = -180; tilt <= 180; tilt += 15) {
        for (float turn : {0.0f, 33.0f, -170.0f, 400.0f}) {
            for (int zoom : {0, -200, 30}) {
                for (float pan : {0.0f, 9.5f}) {
                    for (int shape = 0; shape < 2; shape++) {
                        const int w = shape == 0 ? 800 : 640, h = shape == 0 ? 600 : 640;
                        cCamera cam;
                        cam.rotX(tilt + 35);
                        cam.rotZ(turn);
                        cam.zoom(zoom);
                        cam.translate(pan, -pan / 2);
                        levelView(cam, w, h, mapW, mapH);
                        GLdouble mv[16];
                        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
                        for (int sy = 0; sy <= h; sy += 40) {
                            for (int sx = 0; sx <= w; sx += 40) {
                                const double keep = 123.5;
                                double ox = keep, oy = keep;
                                float cx = float(keep), cy = float(keep);
                                const bool gl = glPick(sx, sy, &ox, &oy, h);
                                const bool cpu = cam.groundPoint(sx, sy, w, h, mapW, mapH, cx, cy);
                                if (!cpu) {
                                    // Only a ray that runs in the ground plane (the eye in it, seen
                                    // edge-on, the middle row) meets it at random in GL's floats.
                                    if (gl) {
                                        EXPECT_TRUE(std::abs(tilt) == 90 && sy * 2 == h)
                                            << "tilt " << tilt << " pixel " << sx << "," << sy;
                                    }
                                    ASSERT_EQ(std::pair(cx, cy), std::pair(float(keep), float(keep)));
                                    continue;
                                }
                                answered++;
                                // Never behind the eye, never out of an int's reach.
                                ASSERT_LE(std::max(std::fabs(cx), std::fabs(cy)), 1e6f);
                                EXPECT_LT(mv[2] * cx + mv[6] * cy + mv[14], 0.0)
                                    << "tilt " << tilt << " pixel " << sx << "," << sy;
                                if (!gl) continue;
                                compared++;
                                // GL's float matrices blur a grazing ray's far end: the
                                // tolerance grows with the distance from the view's centre.
                                const double far = std::hypot(ox - mapW / 2 + cam.getX(), oy - mapH / 2 + cam.getY());
                                const double err = std::hypot(cx - ox, cy - oy) / (1.0 + far);
                                EXPECT_LE(err, 1e-4) << "tilt " << tilt << " turn " << turn << " zoom " << zoom
                                                     << " pixel " << sx << "," << sy << ": cpu " << cx << ","
                                                     << cy << " gl " << ox << "," << oy;
                            }
                        }
                    }
                }
            }
        }
    }
    // Looking down (tilt 0) or up through the ground (180) every pixel sees it; where the CPU
    // sees ground, so does GL.
    EXPECT_GT(answered, 2 * 48 * 21 * 16);
    EXPECT_EQ(compared, answered);
}
