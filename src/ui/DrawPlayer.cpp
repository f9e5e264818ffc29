// Ground marker: an upside-down pyramid one unit wide that spins a little every frame.
#include "ui/DrawPlayer.h"

#include <GL/gl.h>

#include <cmath>

float nextMarkerAngle(float angle, int speed) {
    static const float playerRotationSpeed = 0.5f;
    const float turned = std::fmod(angle + std::fmod(static_cast<float>(speed) * playerRotationSpeed, 360.0f), 360.0f);
    const float wrapped = turned < 0.0f ? turned + 360.0f : turned;
    return wrapped < 360.0f ? wrapped : 0.0f;
}

void DrawPlayer(int, int, float x, float y, int speed) {
    static float playerRotation = 0.0f;  // degrees, in [0, 360)
    glPushMatrix();
    playerRotation = nextMarkerAngle(playerRotation, speed);
    glTranslatef(x, y, 0);
    glRotatef(playerRotation, 0, 0, 1);
    glTranslatef(-0.5f, -0.5f, 0);
    static const float side[5][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}};
    // Smooth for the gradient only: the console's shade model holds for the scene.
    glPushAttrib(GL_LIGHTING_BIT);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 4; i++) {
        glColor3f(11 / 255.0f, 64 / 255.0f, 96 / 255.0f);
        glVertex3f(side[i][0], side[i][1], 1);
        glVertex3f(side[i + 1][0], side[i + 1][1], 1);
        glColor3f(27 / 255.0f, 153 / 255.0f, 228 / 255.0f);
        glVertex3f(0.5f, 0.5f, 0);
    }
    glEnd();
    glPopAttrib();
    glPopMatrix();
}
