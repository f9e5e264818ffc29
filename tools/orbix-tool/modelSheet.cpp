// orbix-tool sheet: draws every model with the game's own mesh code and writes PNG pages to look at.
#include "toolCommands.h"

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "assets/pngWriter.h"
#include "platform/multitexture.h"
#include "shell/appGlobals.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int pageWidth = 800;
constexpr int pageHeight = 600;

// The content folder: the working folder when it holds the models, else the tool's own folder.
bool enterContentFolder()
{
    if (fs::is_directory("models"))
        return true;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || !fs::is_directory(exe.parent_path() / "models"))
        return false;
    fs::current_path(exe.parent_path(), ec);
    return !ec;
}

struct sBox {
    float lo[3] = {1e9f, 1e9f, 1e9f};
    float hi[3] = {-1e9f, -1e9f, -1e9f};
    void add(const cMesh& m)
    {
        for (int i = 0; i < m.getNumFaces() * 9; ++i) {
            lo[i % 3] = std::min(lo[i % 3], m.getFaces()[i]);
            hi[i % 3] = std::max(hi[i % 3], m.getFaces()[i]);
        }
    }
    bool valid() const { return lo[0] <= hi[0]; }
    float centre(int k) const { return valid() ? (lo[k] + hi[k]) / 2 : 0.5f; }
    float size() const
    {
        if (!valid())
            return 1;
        return std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2], 0.1f});
    }
};

class cSheet {
public:
    cSheet(cMeshCont& m, cTexture& t) : meshes(m), textures(t) {}

    void beginPage(const char* title)
    {
        glViewport(0, 0, pageWidth, pageHeight);
        glClearColor(0.36f, 0.42f, 0.36f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        label(8, pageHeight - 18, title);
    }

    // Sets up the cell (col, row) of a grid with cols x rows cells under a 30 pixel title strip,
    // looking at box from the front-right and above (units face -y), with a caption.
    void cell(int col, int row, int cols, int rows, const sBox& box, const std::string& caption, float turn = 0)
    {
        int w = pageWidth / cols, h = (pageHeight - 30) / rows;
        int x = col * w, y = pageHeight - 30 - (row + 1) * h;
        glViewport(x + 1, y + 1, w - 2, h - 2);
        glEnable(GL_SCISSOR_TEST);
        glScissor(x + 1, y + 1, w - 2, h - 2);
        glClearColor(0.55f, 0.62f, 0.55f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(30, static_cast<double>(w) / h, 0.05, 200);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        float d = box.size() * 2.6f;
        gluLookAt(box.centre(0) + 0.55 * d, box.centre(1) - 0.8 * d, box.centre(2) + 0.45 * d, box.centre(0),
                  box.centre(1), box.centre(2), 0, 0, 1);
        const float light[4] = {0.4f, -0.7f, 0.8f, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glTranslatef(box.centre(0), box.centre(1), 0);
        glRotatef(turn, 0, 0, 1);
        glTranslatef(-box.centre(0), -box.centre(1), 0);
        captionAt(x + 4, y + 4, caption);
    }

    // The soldier as a leader carries him: head with blink and face, hands, pistol, feet, bazooka.
    void soldier(int lod, int frame)
    {
        drawHead(lod, frame);
        drawTextured(meshes.ball[cMeshCont::pistol][lod], textures.pistol, frame, 1, 1, 1);
        drawTextured(meshes.ball[cMeshCont::bazookaOn][lod], textures.bazooka, frame, 1, 1, 1);
        for (int p : {cMeshCont::leftHand, cMeshCont::rightHand})
            drawPlain(meshes.ball[p][lod], frame, 0.9f, 0.75f, 0.6f);
        for (int p : {cMeshCont::leftFoot, cMeshCont::rightFoot})
            drawPlain(meshes.ball[p][lod], frame, 0.25f, 0.2f, 0.15f);
    }

    void part(int p, int lod, int frame)
    {
        switch (p) {
        case cMeshCont::head:
            drawHead(lod, frame);
            break;
        case cMeshCont::pistol:
            drawTextured(meshes.ball[p][lod], textures.pistol, frame, 1, 1, 1);
            break;
        case cMeshCont::bazookaOn:
        case cMeshCont::bazookaOff:
            drawTextured(meshes.ball[p][lod], textures.bazooka, frame, 1, 1, 1);
            break;
        default:
            drawPlain(meshes.ball[p][lod], frame, 0.8f, 0.7f, 0.6f);
        }
    }

    void drawHead(int lod, int frame, int mood = 0, int moodFrame = 0, int blink = 0)
    {
        glEnable(GL_LIGHTING);
        glColor3f(0.35f, 0.55f, 0.9f);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        bindDecal(textures.wink[blink]);
        glActiveTextureARB(GL_TEXTURE1_ARB);
        bindDecal(textures.faces[mood][moodFrame]);
        meshes.ball[cMeshCont::head][lod].renderMT(frame);
        glDisable(GL_TEXTURE_2D);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }

    void drawTextured(cMesh& m, unsigned tex, int frame, float r, float g, float b)
    {
        glEnable(GL_LIGHTING);
        glColor3f(r, g, b);
        if (tex) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, tex);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        }
        m.render(frame);
        glDisable(GL_TEXTURE_2D);
    }

    void drawPlain(cMesh& m, int frame, float r, float g, float b) { drawTextured(m, 0, frame, r, g, b); }

    void flame(int frame)
    {
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures.flame);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDepthMask(GL_FALSE);  // as in the game: blended quads that wrote depth would clip each other
        meshes.flame.render(frame);
        glDepthMask(GL_TRUE);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }

    void tree(int kind)
    {
        drawPlain(meshes.trees[kind][0], 0, 0.45f, 0.3f, 0.15f);
        drawPlain(meshes.trees[kind][1], 0, 0.2f, 0.55f, 0.2f);
    }

    bool savePage(const fs::path& path)
    {
        std::vector<uint8_t> rgb(static_cast<size_t>(pageWidth) * pageHeight * 3);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, pageWidth, pageHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        // GL reads bottom row first; PNG wants the top row first.
        std::vector<uint8_t> flipped(rgb.size());
        size_t row = static_cast<size_t>(pageWidth) * 3;
        for (int y = 0; y < pageHeight; ++y)
            std::copy_n(rgb.begin() + static_cast<long>(y * row), row,
                        flipped.begin() + static_cast<long>((pageHeight - 1 - y) * row));
        bool ok = writePng(path.string(), pageWidth, pageHeight, flipped);
        std::printf("%s %s\n", ok ? "wrote" : "could not write", path.c_str());
        return ok;
    }

private:
    void bindDecal(unsigned tex)
    {
        if (!tex) {
            glDisable(GL_TEXTURE_2D);
            return;
        }
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tex);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    }

    void label(int x, int y, const std::string& text)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, pageWidth, 0, pageHeight);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glColor3f(1, 1, 1);
        glRasterPos2i(x, y);
        glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(text.c_str()));
        glEnable(GL_DEPTH_TEST);
    }

    void captionAt(int x, int y, const std::string& text)
    {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        glViewport(0, 0, pageWidth, pageHeight);
        label(x, y, text);
        glViewport(vp[0], vp[1], vp[2], vp[3]);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }

    cMeshCont& meshes;
    cTexture& textures;
};

void setUpRenderState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float ambient[4] = {0.35f, 0.35f, 0.35f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
}

// Labels are built by appending: GCC 12 at -O3 raises a false -Wrestrict on "text" + std::string.
std::string numbered(const char* text, int n) {
    return std::string(text).append(std::to_string(n));
}
} // namespace

int drawModelSheet(const char* outDir, int argc, char** argv)
{
    std::error_code ec;
    fs::path out = fs::absolute(outDir, ec);
    if (!ec)
        fs::create_directories(out, ec);
    if (ec || !fs::is_directory(out)) {
        std::fprintf(stderr, "orbix-tool: %s: cannot make this folder\n", outDir);
        return toolExit::refused;
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "orbix-tool: sheet needs a display (run it under xvfb-run)\n");
        return toolExit::refused;
    }
    if (!enterContentFolder()) {
        std::fprintf(stderr, "orbix-tool: no models/ folder here or beside the tool\n");
        return toolExit::refused;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(pageWidth, pageHeight);
    glutCreateWindow("orbix-tool sheet");
    resolveMultitexture();
    setUpRenderState();

    static cMeshCont meshes;
    static cTexture textures;
    textures.load();
    meshes.load();
    cSheet sheet(meshes, textures);
    bool ok = true;

    sBox ballBox;
    for (auto& p : meshes.ball)
        ballBox.add(p[0]);
    const int walkFrames[] = {0, 20, 36, 52, 68, 84, 99};
    constexpr int numWalk = static_cast<int>(std::size(walkFrames));

    sheet.beginPage("Soldier, levels of detail 0-3 (rows) at frames 0, 20, 36, 52, 68, 84, 99");
    for (int lod = 0; lod < cMeshCont::numLods; ++lod)
        for (int c = 0; c < numWalk; ++c) {
            sheet.cell(c, lod, numWalk, cMeshCont::numLods, ballBox,
                       numbered("L", lod).append(numbered(" f", walkFrames[c])));
            sheet.soldier(lod, walkFrames[c]);
        }
    ok = sheet.savePage(out / "models-soldier.png") && ok;

    static const char* const partNames[] = {"Head", "LHand", "RHand", "Pistol", "LFoot", "RFoot", "BazOn", "BazOff"};
    sheet.beginPage("Ball parts (columns) at levels of detail 0-3 (rows), frame 52");
    for (int lod = 0; lod < cMeshCont::numLods; ++lod)
        for (int p = 0; p < cMeshCont::numParts; ++p) {
            sheet.cell(p, lod, cMeshCont::numParts, cMeshCont::numLods, ballBox,
                       std::string(partNames[p]).append(numbered(" L", lod)));
            sheet.part(p, lod, 52);
        }
    ok = sheet.savePage(out / "models-parts.png") && ok;

    sheet.beginPage("Faces: blink frames 1-7 (top), angry, laught, cry, talk frames 1-7; walk from the side (bottom)");
    sBox headBox;
    headBox.add(meshes.ball[cMeshCont::head][0]);
    // Turned so that the face (units face -y) looks at the camera.
    constexpr float facing = 35;
    for (int f = 0; f < cTexture::numFrames; ++f) {
        sheet.cell(f, 0, cTexture::numFrames, 6, headBox, numbered("wink", f + 1), facing);
        sheet.drawHead(0, 0, 0, 0, f);
        for (int m = 1; m < cTexture::numMoods; ++m) {
            sheet.cell(f, m, cTexture::numFrames, 6, headBox, numbered("mood ", m).append(numbered(".", f + 1)),
                       facing);
            sheet.drawHead(0, 0, m, f, 0);
        }
        sheet.cell(f, 5, cTexture::numFrames, 6, ballBox, numbered("walk f", 20 + 11 * f), 90);
        sheet.soldier(0, 20 + 11 * f);
    }
    ok = sheet.savePage(out / "models-faces.png") && ok;

    sheet.beginPage("Muzzle flash (three views) and trees 1-3");
    sBox flameBox;
    flameBox.add(meshes.flame);
    for (int v = 0; v < 3; ++v) {
        sheet.cell(v, 0, 3, 2, flameBox, "BallFlame", static_cast<float>(v * 60));
        sheet.flame(0);
    }
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k) {
        sBox treeBox;
        treeBox.add(meshes.trees[k][0]);
        treeBox.add(meshes.trees[k][1]);
        sheet.cell(k, 1, 3, 2, treeBox, numbered("Tree", k + 1));
        sheet.tree(k);
    }
    ok = sheet.savePage(out / "models-props.png") && ok;
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are checked while the window still exists: at exit the GL driver is unloaded
    // first, and what it held would be reported as leaked.
    __lsan_do_leak_check();
#endif
    return ok ? toolExit::loaded : toolExit::refused;
}
