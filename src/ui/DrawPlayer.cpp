// Ground marker: an upside-down pyramid one unit wide that spins a little every frame.
#include "ui/DrawPlayer.h"

#include <GL/gl.h>

void DrawPlayer(int, int, float x, float y, int speed) {
    static float playerRotation = 0.0f;  // degrees; grows without bound
    static const float playerRotationSpeed = 0.5f;
    glPushMatrix();
    playerRotation += static_cast<float>(speed) * playerRotationSpeed;
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
