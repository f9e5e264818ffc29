// The ground pick under a real context.
#include "shell/cCamera.h"
#include "shell/globals.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

TEST(Screen2Map, NeverAnswersAPointBehindTheEyeOrAtInfinity) {
    // Tilt through the whole circle, the edge-on views at -90 and 90 included, in the level's
    // 3D pass: perspective 45 degrees, camera, map shifted by half its size.
    int answered = 0;
    for (int tilt = -180; tilt <= 180; tilt += 5) {
        cCamera cam;
        cam.rotX(tilt + 35);
        glViewport(0, 0, 800, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 800.0 / 600.0, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        cam.render();
        glTranslated(-32, -32, 0);
        GLdouble mv[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        for (int sy = 0; sy <= 600; sy += 50) {
            for (int sx = 0; sx <= 800; sx += 100) {
                const double keep = 123.5;
                double ox = keep, oy = keep;
                Screen2Map(sx, sy, &ox, &oy, 600);
                ASSERT_TRUE(std::isfinite(ox) && std::isfinite(oy)) << tilt;
                if (ox == keep && oy == keep) continue;
                answered++;
                ASSERT_LE(std::max(std::fabs(ox), std::fabs(oy)), 1e6);
                double eyeZ = mv[2] * ox + mv[6] * oy + mv[14];
                EXPECT_LT(eyeZ, 0.0) << "tilt " << tilt << " pixel " << sx << "," << sy;
            }
        }
    }
    // Looking down (tilt 0) or up through the ground (180) every pixel sees it.
    EXPECT_GT(answered, 2 * 13 * 9);
}
