// The generated content as the game reads it: models, pictures, levels, sounds and icons, and
// a generator that gives the same bytes every time it runs.
#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "world/cLevelRules.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;
using assetsTest::fileBytes;

namespace {

// The build writes the content beside the executable; without it there is nothing to test.
const fs::path kDir = ORBIX_BIN_DIR;
#define SKIP_WITHOUT_CONTENT()                                                        \
    if (!fs::is_directory(kDir / "maps"))                                             \
    GTEST_SKIP() << "no generated content in " << kDir.string()

// A corner of the mesh moved by a baked column-major frame matrix.
std::array<float, 3> place(const float* m, const float* v) {
    return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2] + m[12], m[1] * v[0] + m[5] * v[1] + m[9] * v[2] + m[13],
            m[2] * v[0] + m[6] * v[1] + m[10] * v[2] + m[14]};
}

float lowestAt(const cMesh& mesh, int frame) {
    float low = 1e9f;
    for (int i = 0; i < mesh.getNumFaces() * 3; i++)
        low = std::min(low, place(mesh.getFrames()[frame].matrix, mesh.getFaces() + 3 * i)[2]);
    return low;
}

// Lowest and highest value of one coordinate over the mesh's corners.
std::array<float, 2> span(const cMesh& m, int axis) {
    std::array<float, 2> s{1e9f, -1e9f};
    for (int i = 0; i < m.getNumFaces() * 3; i++)
        s = {std::min(s[0], m.getFaces()[3 * i + axis]), std::max(s[1], m.getFaces()[3 * i + axis])};
    return s;
}

class ContentModels : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_CONTENT();
        assetsTest::WorkingDir here(kDir);  // the game reads its content by relative paths
        testing::internal::CaptureStderr();
        meshes.load();
        log = testing::internal::GetCapturedStderr();
    }
    cMeshCont meshes;
    std::string log;
};

// Reads a picture with the game's own loader, after checking it is stored bottom-up, as the game
// reads without turning, with the exact size its header gives.
void loadPicture(const std::string& path, cBitmap& b) {
    const std::string bytes = fileBytes((kDir / path).string());
    ASSERT_TRUE(b.loadFromFile((kDir / path).string())) << path;
    ASSERT_GT(bytes.size(), 26u) << path;
    auto le32 = [&](size_t at) { return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
                                        uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24; };
    EXPECT_EQ(le32(2), bytes.size()) << path;
    EXPECT_EQ(int32_t(le32(22)), b.getHeight()) << path;
}

int countWhere(const cBitmap& b, const sRGBA& c) {
    int n = 0;
    for (int i = 0; i < b.getWidth() * b.getHeight(); i++) n += b.getBitmapS()[i] == c;
    return n;
}

bool powerOfTwo(int v) { return (v & (v - 1)) == 0; }

const sRGBA kMagenta(255, 0, 255, 255), kBlack(0, 0, 0, 255), kWhite(255, 255, 255, 255);

}  // namespace

TEST_F(ContentModels, EveryPartLoadsWithWhatItIsDrawnWithLevelsGrowCoarserAndTheBallFacesMinusY) {
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;
    int previous = 2000;  // triangles the finest ball may have
    for (int lod = 0; lod < cMeshCont::numLods; lod++) {
        int triangles = 0;
        for (int part = 0; part < cMeshCont::numParts; part++) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_FALSE(m.isEmpty()) << "part " << part << " lod " << lod;
            triangles += m.getNumFaces();
            EXPECT_TRUE(m.hasNormals()) << m.getName();
            const bool skinned = part == cMeshCont::head || part == cMeshCont::pistol ||
                                 part == cMeshCont::bazookaOn || part == cMeshCont::bazookaOff;
            EXPECT_EQ(m.hasTexCoords(), skinned) << m.getName();
            // Every part moves with the walk, so each needs the whole scene's frames.
            EXPECT_EQ(m.getNumFrames(), 101) << m.getName();
            EXPECT_EQ(m.getLoopFirst(), 20) << m.getName();
            EXPECT_EQ(m.getLoopLast(), 99) << m.getName();
        }
        EXPECT_LT(triangles, previous) << "lod " << lod << " is not coarser than the level before";
        previous = triangles;
    }
    EXPECT_TRUE(meshes.flame.hasTexCoords());
    // The ball is one cell wide, faces -y and shoots forward.
    float lo = 1e9f, hi = -1e9f;
    for (int part = 0; part < cMeshCont::numParts; part++) {
        const auto s = span(meshes.ball[part][0], 0);
        lo = std::min(lo, s[0]), hi = std::max(hi, s[1]);
    }
    EXPECT_GT(hi - lo, 0.8f);
    EXPECT_LT(hi - lo, 1.3f);
    // The face picture's centre lands on the front of the head.
    const cMesh& head = meshes.ball[cMeshCont::head][0];
    int best = 0;
    for (int i = 0; i < head.getNumFaces() * 3; i++) {
        const float* t = head.getTexCoords();
        EXPECT_TRUE(t[3 * i] >= 0 && t[3 * i] <= 1 && t[3 * i + 1] >= 0 && t[3 * i + 1] <= 1) << "off the picture";
        if (std::hypot(t[3 * i] - 0.5f, t[3 * i + 1] - 0.5f) < std::hypot(t[3 * best] - 0.5f, t[3 * best + 1] - 0.5f))
            best = i;
    }
    EXPECT_LT(head.getFaces()[3 * best + 1], head.getPos().y - 0.2f) << "the face is not at the front (-y)";
    // The pistol points forward and the flash stands in front of its muzzle.
    const auto pistol = span(meshes.ball[cMeshCont::pistol][0], 1);
    EXPECT_LT(pistol[0] + pistol[1], 0.0f) << "the pistol points backwards";
    EXPECT_LT(span(meshes.flame, 1)[1] + span(meshes.flame, 1)[0], 2 * pistol[0]);
}

TEST_F(ContentModels, BakedWalkKeepsFeetOnTheGroundAndTreesStandStillOnTheirPivots) {
    for (int lod = 0; lod < cMeshCont::numLods; lod++)
        for (int part : {cMeshCont::leftFoot, cMeshCont::rightFoot, cMeshCont::head}) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_EQ(m.getNumFrames(), 101) << m.getName();
            // Units wrap the loop 99 -> 20: frame 99 must stand as frame 20 does.
            for (int k = 0; k < 16; k++)
                EXPECT_NEAR(m.getFrames()[99].matrix[k], m.getFrames()[20].matrix[k], 1e-3) << m.getName() << " " << k;
            if (part == cMeshCont::head) continue;
            // Frame 20 is the standing pose: the foot rests on the ground, no frame pushes it in,
            // and the foot really walks.
            EXPECT_NEAR(lowestAt(m, 20), 0.0f, 0.01f) << m.getName();
            float reach = 0;
            for (int f = 0; f <= 100; f++) {
                EXPECT_GT(lowestAt(m, f), -0.01f) << m.getName() << " frame " << f;
                reach = std::max(reach, std::fabs(m.getFrames()[f].matrix[13] - m.getFrames()[20].matrix[13]));
            }
            EXPECT_GT(reach, 0.1f) << m.getName();
        }
    // Trees stand still on their pivots, within their triangle budget.
    for (int k = 0; k < cMeshCont::numTreeKinds; k++) {
        const cMesh &stem = meshes.trees[k][0], &top = meshes.trees[k][1];
        ASSERT_FALSE(stem.isEmpty() || top.isEmpty()) << "tree " << k;
        EXPECT_LT(stem.getNumFaces() + top.getNumFaces(), 300) << "tree " << k;
        EXPECT_EQ(stem.getNumFrames(), 0) << "trees stand still";
        EXPECT_FLOAT_EQ(stem.getPos().z, 0.0f) << "a tree's pivot is on the ground";
        EXPECT_NEAR(span(stem, 2)[0], 0.0f, 0.01f) << "tree " << k;
        const auto x = span(stem, 0), y = span(stem, 1);
        EXPECT_TRUE(x[0] < stem.getPos().x && x[1] > stem.getPos().x && y[0] < stem.getPos().y && y[1] > stem.getPos().y)
            << "tree " << k << " does not stand on its pivot";
    }
}

TEST(ContentPictures, TexturesArePowersOfTwoAndFacesShowTheBallAtTheirEdges) {
    SKIP_WITHOUT_CONTENT();
    for (const char* n : {"pistol", "bazooka", "flame", "smile1"}) {
        cBitmap b;
        loadPicture(std::string("textures/") + n + ".bmp", b);
        EXPECT_TRUE(powerOfTwo(b.getWidth()) && powerOfTwo(b.getHeight())) << n;
    }
    for (const char* mood : {"wink", "angry", "laught", "cry", "talk"}) {
        int changes = 0, shownBefore = 1 << 30;
        for (int i = 1; i <= 7; i++) {
            const std::string n = mood + std::to_string(i);
            cBitmap b;
            loadPicture("textures/" + n + ".bmp", b);
            const int w = b.getWidth(), h = b.getHeight();
            EXPECT_TRUE(powerOfTwo(w) && powerOfTwo(h)) << n;
            // The head clamps its texture coordinates to the edges, so an opaque edge pixel
            // would smear over the whole back of the ball.
            for (int k = 0; k < w * h; k++)
                ASSERT_TRUE(b.getBitmapS()[k] == kMagenta || (k % w && k % w != w - 1 && k / w && k / w != h - 1))
                    << n << " edge pixel " << k;
            const int shown = w * h - countWhere(b, kMagenta);
            EXPECT_GT(shown, 0) << n << ": nothing painted";
            EXPECT_LT(shown, w * h / 2) << n << ": the ball should mostly show through";
            EXPECT_TRUE(std::string(mood) != "wink" || shown < shownBefore) << n << " does not close the eye further";
            changes += i > 1 && shown != shownBefore;
            shownBefore = shown;
        }
        EXPECT_GE(changes, 4) << mood << " barely moves";
    }
}

TEST(ContentPictures, FontMenuPictureAndWeaponIconsFitWhereTheyAreDrawn) {
    SKIP_WITHOUT_CONTENT();
    cBitmap b;
    loadPicture("graphics/fonta.bmp", b);
    ASSERT_EQ(b.getWidth() * 1000 + b.getHeight(), 256256);
    EXPECT_EQ(countWhere(b, kBlack) + countWhere(b, kWhite), 256 * 256) << "grey pixels show as boxes in the game";
    // Cell i (left to right, top to bottom) holds character i + 32: every printable character
    // but the blank has ink, and none spills into the cell's outer pixel ring, which filtering
    // would bleed into the neighbours.
    for (int cell = 0; cell < 256; cell++) {
        const int code = cell + 32;
        int ink = 0, rim = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) {
                const int px = (cell % 16) * 16 + x, rowFromTop = (cell / 16) * 16 + y;
                if (!(b.getBitmapS()[(255 - rowFromTop) * 256 + px] == kWhite)) continue;
                ink++;
                rim += (x == 0 || y == 0 || x == 15 || y == 15);
            }
        EXPECT_EQ(rim, 0) << "character " << code;
        EXPECT_EQ(ink > 0, code > 32 && code < 127) << "character " << code;
    }
    loadPicture("graphics/cornpoppy.bmp", b);
    EXPECT_GE(b.getWidth(), 256);
    for (const char* icon : {"graphics/grenade.bmp", "graphics/rocket.bmp"}) {
        // The panel draws the icons from 2 pixels inside a 42 x 30 box.
        loadPicture(icon, b);
        EXPECT_TRUE(b.getWidth() <= 40 && b.getHeight() <= 28) << icon;
    }
}

// Named in play order, the exact colour code, one start away from the border, rules a level
// maker would pass, and a campaign that teaches first, grows harder and varies its ground.
TEST(ContentMaps, EveryLevelIsPlayableAndTheCampaignGrowsHarderOnVariedGround) {
    SKIP_WITHOUT_CONTENT();
    const sRGBA kTree(0, 0, 0, 255), kWater(0, 0, 255, 255), kEnemy(255, 0, 0, 255), kStart(0, 255, 0, 255);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(kDir / "maps"))
        if (e.path().filename().string()[0] != '.') names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 12u);
    std::vector<int> enemies;
    int winters = 0, watery = 0, wooded = 0, open = 0, small = 0;
    for (size_t i = 0; i < names.size(); i++) {
        const std::string& n = names[i];
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d-", int(i + 1));
        EXPECT_EQ(n.substr(0, 3), prefix) << n;
        EXPECT_EQ(n.substr(n.size() - 4), ".bmp") << n;
        cBitmap m;
        ASSERT_TRUE(m.loadFromFile((kDir / "maps" / n).string())) << n;
        const int w = m.getWidth(), h = m.getHeight(), cells = w * h;
        EXPECT_TRUE(w >= 64 && w <= 128 && h >= 64 && h <= 128) << n;
        int trees = 0, water = 0, foes = 0, starts = 0, whites = 0, nearMisses = 0, start = -1;
        for (int k = 0; k < cells; k++) {
            const sRGBA p = m.getBitmapS()[k];
            trees += p == kTree, water += p == kWater, foes += p == kEnemy, whites += p == kWhite;
            if (p == kStart) starts++, start = k;
            // A colour that misses a code colour by a little was meant to be that code.
            for (const sRGBA& c : {kTree, kWater, kEnemy, kStart, kWhite})
                nearMisses += !(p == c) && std::abs(p.r - c.r) <= 40 && std::abs(p.g - c.g) <= 40 &&
                              std::abs(p.b - c.b) <= 40;
        }
        const bool winter = m.getBitmapS()[w * (h - 1)] == kWhite;
        EXPECT_EQ(nearMisses, 0) << n;
        EXPECT_EQ(starts, 1) << n;
        EXPECT_GE(foes, 1) << n;
        // White means winter only in the top-left pixel; anywhere else it is a slip.
        EXPECT_EQ(whites, winter ? 1 : 0) << n;
        cLevelRules rules(0, 0);
        ASSERT_TRUE(rules.read(m)) << n;
        for (const auto& b : rules.check()) ADD_FAILURE() << n << ": " << b.text();
        // The level opens centred on the squad: a start near the border would show mostly the void.
        EXPECT_GE(std::min({start % w, start / w, w - 1 - start % w, h - 1 - start / w}), 8) << n;
        enemies.push_back(foes);
        winters += winter;
        watery += water > cells / 50;
        wooded += trees > cells / 10;
        open += trees + water < cells / 4;
        small += w == 64 && h == 64;
    }
    EXPECT_LE(enemies.front(), 4) << "the first level teaches, with few enemies";
    EXPECT_EQ(*std::max_element(enemies.begin(), enemies.end()), enemies.back()) << "the last level is the hardest";
    EXPECT_TRUE(winters >= 1 && winters <= 2) << winters << " winters; white messages are hard to read on snow";
    EXPECT_TRUE(watery >= 2 && wooded >= 2 && open >= 2) << watery << " watery, " << wooded << " wooded, " << open << " open";
    EXPECT_GT(small * 2, int(names.size())) << "most levels should be 64 x 64 so the minimap shows every unit";
}

// 16-bit PCM WAVs that libsndfile reads, short, audible, not clipped, ending without a click,
// with three pistol shots that differ.
TEST(ContentSounds, EveryEffectIsAShortAudiblePcmWav) {
    SKIP_WITHOUT_CONTENT();
    std::set<sf_count_t> pistolLengths;
    for (const char* name : {"ctsm", "roger", "clear", "laught", "pistol1", "pistol2", "pistol3", "explode"}) {
        SF_INFO info{};
        SNDFILE* f = sf_open((kDir / "sounds" / (std::string(name) + ".wav")).c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << name;
        std::vector<float> samples(size_t(info.frames * info.channels));
        EXPECT_EQ(sf_readf_float(f, samples.data(), info.frames), info.frames) << name;
        sf_close(f);
        EXPECT_EQ(info.format & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK), SF_FORMAT_WAV | SF_FORMAT_PCM_16) << name;
        const double seconds = double(info.frames) / info.samplerate;
        EXPECT_TRUE(seconds > 0.1 && seconds < 3.0) << name << " lasts " << seconds << " s";
        double peak = 0;
        for (float x : samples) peak = std::max(peak, double(std::fabs(x)));
        EXPECT_TRUE(peak > 0.3 && peak < 0.999) << name << " peaks at " << peak << ": too quiet or clipped";
        EXPECT_LT(std::fabs(samples.back()), 0.05) << name << " clicks when it stops";
        if (std::string(name).rfind("pistol", 0) == 0) pistolLengths.insert(info.frames);
    }
    EXPECT_EQ(pistolLengths.size(), 3u) << "the three pistol shots should differ";
}

// The desktop icon: a PNG of each shipped size, the right way up.
TEST(ContentIcon, EverySizeIsASquarePngWithTheSkyOnTopAndTheBallInTheMiddle) {
    SKIP_WITHOUT_CONTENT();
    for (int size : {48, 64, 128, 256}) {
        const std::string path = (kDir / "icons" / ("orbix-tal-" + std::to_string(size) + ".png")).string();
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
        image.format = PNG_FORMAT_RGB;
        std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << path;
        ASSERT_EQ(int(image.width) * 1000 + int(image.height), size * 1001) << path;
        auto pixel = [&](int x, int y) { return &rgb[(size_t(y) * size + x) * 3]; };  // y from the top
        const uint8_t *sky = pixel(1, 1), *grass = pixel(1, size - 2);
        const uint8_t* ball = pixel(size / 5, size * 3 / 5);  // the red cheek, left of the face
        EXPECT_TRUE(sky[2] > sky[0] && grass[1] > grass[2] && ball[0] > 2 * ball[2]) << path;
    }
}

TEST(ContentFiles, TheGeneratorIsDeterministic) {
    SKIP_WITHOUT_CONTENT();
#ifndef ORBIX_CONTENT_RECORDED_DIR
    GTEST_SKIP() << "the build does not say where the recorded sounds are";
#else
    const fs::path generator = kDir / "orbix-content", recorded = ORBIX_CONTENT_RECORDED_DIR;
    if (!fs::exists(generator) || !fs::is_directory(recorded)) GTEST_SKIP() << "generator not built";
    assetsTest::ScratchDir again;
    std::string cmd;
    for (const fs::path& arg : {generator, again.path, recorded}) cmd.append(" '").append(arg.string()).append("'");
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const char* sub : {"textures", "models", "sounds", "graphics", "maps", "icons"}) {
        std::set<std::string> built, fresh;
        for (const auto& e : fs::directory_iterator(kDir / sub)) built.insert(e.path().filename().string());
        for (const auto& e : fs::directory_iterator(again.path / sub)) fresh.insert(e.path().filename().string());
        EXPECT_EQ(built, fresh) << sub;
        for (const std::string& n : fresh)
            EXPECT_EQ(fileBytes((kDir / sub / n).string()), fileBytes((again.path / sub / n).string())) << n << " changed";
    }
#endif
}
