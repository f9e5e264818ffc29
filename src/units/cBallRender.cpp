// Ball unit drawing: body, blinking face, hands, weapons, walking feet, muzzle flash, life meter, minimap mark.
#include "units/cBall.h"

#include "platform/multitexture.h"

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "world/cGameSetup.h"

#include <GL/glu.h>

namespace {
// The unit models face -y; headings count from +x.
constexpr float kModelTurn = 90.0f;
}

void cBall::markMiniMap(const sRGBA& c) {
    if (!gameSetup || !gameSetup->showMiniMap) return;
    // Only a position whose cross can touch the picture: NaN and huge values
    // fail these tests too (cellCoord's -1 for them would paint pixel 0).
    if (!(x > -2.0f && y > -2.0f && x < 1e9f && y < 1e9f)) return;
    const int cx = static_cast<int>(x), cy = static_cast<int>(y);
    cBitmap& m = gameSetup->miniMap;
    m.setColor(cx, cy, c.r, c.g, c.b, c.a);
    m.setColor(cx - 1, cy, c.r, c.g, c.b, c.a);
    m.setColor(cx + 1, cy, c.r, c.g, c.b, c.a);
    m.setColor(cx, cy - 1, c.r, c.g, c.b, c.a);
    m.setColor(cx, cy + 1, c.r, c.g, c.b, c.a);
}

void cBall::render() {
    if (!meshCont || !textures) return;
    lod = ((lod % 4) + 4) % 4;
    int frame = animFrame;

    glPushMatrix();
    glTranslatef(x, y, z);
    glPushMatrix();
    glRotatef(angle + kModelTurn, 0, 0, 1);

    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_AMBIENT, bodyColour);

    // Eye blink on unit 0, mood face on unit 1; magenta texels show the body colour.
    glActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glBindTexture(GL_TEXTURE_2D, textures->wink[blinkFrame]);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glBindTexture(GL_TEXTURE_2D, textures->faces[mood][moodFrame % 7]);
    meshCont->ball[cMeshCont::head][lod].renderMT(frame);
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);

    glMaterialfv(GL_FRONT, GL_AMBIENT, lightColour);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, textures->pistol);
    meshCont->ball[cMeshCont::pistol][lod].render(frame);

    glBindTexture(GL_TEXTURE_2D, textures->bazooka);
    if (leader) meshCont->ball[rockets < 1 ? cMeshCont::bazookaOff : cMeshCont::bazookaOn][lod].render(frame);

    glDisable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT, GL_AMBIENT, lightColour);
    meshCont->ball[cMeshCont::leftHand][lod].render(frame);
    meshCont->ball[cMeshCont::rightHand][lod].render(frame);

    // The feet point where the unit walks, the body where it aims.
    if (moving) {
        glPopMatrix();
        glPushMatrix();
        glRotatef(moveAngle + kModelTurn, 0, 0, 1);
    }
    meshCont->ball[cMeshCont::leftFoot][lod].render(frame);
    meshCont->ball[cMeshCont::rightFoot][lod].render(frame);
    glPopMatrix();

    if (advanceFlash()) {
        // The flash's crossed quads are blended, so they must not write depth or they clip each other;
        // the caller gets its own depth, blend and lighting state back.
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        glColor3f(1, 1, 1);
        glRotatef(angle + kModelTurn, 0, 0, 1);
        glBindTexture(GL_TEXTURE_2D, textures->flame);
        meshCont->flame.render(frame);
        glPopAttrib();
    }
    glPopMatrix();
}

void cBall::renderLM() {
    if (!gameSetup || !gameSetup->showLifeMeters || !isAlive() || !gameSetup->pWinHeight) return;
    double wx, wy, wz;
    if (gluProject(x, y, z + 4.0, gameSetup->modelview, gameSetup->projection, gameSetup->viewport, &wx, &wy,
                   &wz) != GL_TRUE)
        return;
    if (!(wx > -1e6 && wx < 1e6 && wy > -1e6 && wy < 1e6)) return;
    int px = int(wx);
    int py = *gameSetup->pWinHeight - int(wy);
    int n = lifeBarWidth();

    glBegin(GL_QUADS);
    glColor3f(1, 1, 1);
    glVertex2i(px - 30, py - 9);
    glVertex2i(px + 30, py - 9);
    glVertex2i(px + 30, py + 9);
    glVertex2i(px - 30, py + 9);
    glColor3fv(lifeBarColour());
    glVertex2i(px - 28, py - 7);
    glVertex2i(px - 28 + n, py - 7);
    glVertex2i(px - 28 + n, py + 7);
    glVertex2i(px - 28, py + 7);
    glEnd();
}
