// Drawing a mesh with vertex arrays, on one texture unit or on two.
#include "platform/multitexture.h"

#include "assets/cMesh.h"

#include <cstddef>

void cMesh::render(int frame)
{
    draw(frame, false);
}

void cMesh::renderMT(int frame)
{
    draw(frame, true);
}

void cMesh::draw(int frame, bool twoUnits)
{
    if (faces.empty())
        return;
    // Without the multitexture entry points the second unit is simply not fed.
    twoUnits = twoUnits && glClientActiveTextureARB;
    glPushMatrix();
    int shown = pickFrame(frame);
    if (shown >= 0)
        glMultMatrixf(frames[static_cast<std::size_t>(shown)].matrix);

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, faces.data());
    if (!normals.empty()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals.data());
    }
    if (!texCoords.empty()) {
        if (twoUnits) {
            glClientActiveTextureARB(GL_TEXTURE1_ARB);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(3, GL_FLOAT, 0, texCoords.data());
            glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(3, GL_FLOAT, 0, texCoords.data());
    }

    if (closed) glEnable(GL_CULL_FACE);
    glDrawArrays(GL_TRIANGLES, 0, numFaces * 3);
    if (closed) glDisable(GL_CULL_FACE);

    if (!texCoords.empty()) {
        if (twoUnits) {
            glClientActiveTextureARB(GL_TEXTURE1_ARB);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (!normals.empty())
        glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
