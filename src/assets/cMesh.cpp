// Mesh storage, frame choice, animation baking, the binary mesh file and the summary.
#include "assets/cMesh.h"

#include "assets/closedSurface.h"
#include "assets/fileAlloc.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

static_assert(std::endian::native == std::endian::little, "the binary mesh file is written as memory holds it");

namespace {

// Column-major 4 x 4 product r = a * b, as glMultMatrix composes, of two matrices whose
// bottom row is 0 0 0 1 (rotations and translations): the terms left out are exact zeros,
// so this is the full product at a quarter of the work, which matters when baking long
// animations. shift is added to a's translation first. r must not be a or b.
void multiplyAffine(const double* __restrict a, const double* __restrict b, double* __restrict r,
                    const double* shift)
{
#ifdef __SSE2__
    // Two rows at a time: the same products summed in the same order as one by one. Each
    // column is stored whole once, so that reading it back right after is never held up.
    const __m128d a0 = _mm_loadu_pd(a), a1 = _mm_loadu_pd(a + 4), a2 = _mm_loadu_pd(a + 8);
    const __m128d a0z = _mm_loadu_pd(a + 2), a1z = _mm_loadu_pd(a + 6), a2z = _mm_loadu_pd(a + 10);
    for (int col = 0; col < 4; ++col) {
        const __m128d x = _mm_set1_pd(b[col * 4]), y = _mm_set1_pd(b[col * 4 + 1]), z = _mm_set1_pd(b[col * 4 + 2]);
        __m128d top = _mm_add_pd(_mm_add_pd(_mm_mul_pd(a0, x), _mm_mul_pd(a1, y)), _mm_mul_pd(a2, z));
        __m128d low = _mm_add_pd(_mm_add_pd(_mm_mul_pd(a0z, x), _mm_mul_pd(a1z, y)), _mm_mul_pd(a2z, z));
        if (col == 3) {
            top = _mm_add_pd(top, _mm_add_pd(_mm_loadu_pd(a + 12), _mm_loadu_pd(shift)));
            low = _mm_add_sd(low, _mm_add_sd(_mm_load_sd(a + 14), _mm_load_sd(shift + 2)));
        }
        _mm_storeu_pd(r + col * 4, top);
        _mm_storeu_pd(r + col * 4 + 2, _mm_unpacklo_pd(low, _mm_set_sd(col == 3 ? 1.0 : 0.0)));
    }
#else
    for (int col = 0; col < 4; ++col) {
        const double x = b[col * 4], y = b[col * 4 + 1], z = b[col * 4 + 2];
        r[col * 4] = a[0] * x + a[4] * y + a[8] * z;
        r[col * 4 + 1] = a[1] * x + a[5] * y + a[9] * z;
        r[col * 4 + 2] = a[2] * x + a[6] * y + a[10] * z;
        r[col * 4 + 3] = 0;
    }
    r[12] += a[12] + shift[0];
    r[13] += a[13] + shift[1];
    r[14] += a[14] + shift[2];
    r[15] = 1;
#endif
}

void identity(double* m)
{
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void translation(double* m, double x, double y, double z)
{
    identity(m);
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

// The matrix glRotate builds; an axis of no length means no rotation.
void rotation(double* m, double degrees, const float* axis)
{
    identity(m);
    double x = axis[0], y = axis[1], z = axis[2];
    double len = std::sqrt(x * x + y * y + z * z);
    if (!(len > 0) || !std::isfinite(len) || !std::isfinite(degrees))
        return;
    x /= len;
    y /= len;
    z /= len;
    double a = degrees * M_PI / 180.0;
    double c = std::cos(a), s = std::sin(a), t = 1 - c;
    m[0] = x * x * t + c;
    m[1] = y * x * t + z * s;
    m[2] = x * z * t - y * s;
    m[4] = x * y * t - z * s;
    m[5] = y * y * t + c;
    m[6] = y * z * t + x * s;
    m[8] = x * z * t + y * s;
    m[9] = y * z * t - x * s;
    m[10] = z * z * t + c;
}

void putBytes(std::string& out, const void* p, size_t n)
{
    out.append(static_cast<const char*>(p), n);
}

} // namespace

void sAnimation::reset()
{
    pos[0] = pos[1] = pos[2] = 0;
    axis[0] = axis[1] = axis[2] = 0;
    angle = 0;
}

cMesh::cMesh() = default;

cMesh::~cMesh()
{
    dispose();
}

void cMesh::dispose()
{
    std::vector<float>().swap(vertices);
    std::vector<float>().swap(faces);
    std::vector<float>().swap(texCoords);
    std::vector<float>().swap(normals);
    std::vector<sAnimation>().swap(frames);
    numVertices = numFaces = numFrames = 0;
    closed = false;
    loopFirst = loopLast = 0;
    currentFrame = 0;
}

bool cMesh::realloc(int nVertices, int nFaces, int nFrames)
{
    dispose();
    // Bounded so that no count from a file can ask for gigabytes.
    constexpr int maxCount = 1 << 24;
    if (nVertices < 0 || nFaces < 0 || nFrames < 0 || nVertices > maxCount || nFaces > maxCount ||
        nFrames > maxFrames)
        return false;
    // A count the file can hold may still be more than the memory can.
    if (!fileAlloc::assign(vertices, static_cast<size_t>(nVertices) * 3, 0.0f) ||
        !fileAlloc::assign(faces, static_cast<size_t>(nFaces) * 9, 0.0f) ||
        !fileAlloc::assign(texCoords, static_cast<size_t>(nFaces) * 9, 0.0f) ||
        !fileAlloc::assign(normals, static_cast<size_t>(nFaces) * 9, 0.0f)) {
        dispose();
        return false;
    }
    numVertices = nVertices;
    numFaces = nFaces;
    if (nFrames > 0) {
        // One pass over the frames: long animations have tens of thousands of them in a file.
        sAnimation still;
        still.reset();
        std::memcpy(still.pos, pos, sizeof pos);
        std::fill(std::begin(still.matrix), std::end(still.matrix), 0.0f);
        if (!fileAlloc::assign(frames, static_cast<size_t>(nFrames), still)) {
            dispose();
            return false;
        }
        std::memcpy(frames[0].axis, rotAxis, sizeof rotAxis);
        frames[0].angle = rotAngle;
        numFrames = nFrames;
    }
    return true;
}

void cMesh::countTransf()
{
    double undoNode[16], chains[2][16], m[16], t[16], r[16];
    const double noShift[3] = {0, 0, 0};
    // The node's own transform, undone: R(rotAngle, rotAxis) * T(-pos).
    rotation(r, rotAngle, rotAxis);
    translation(t, -pos[0], -pos[1], -pos[2]);
    multiplyAffine(r, t, undoNode, noShift);
    // The chain so far and the next one take turns in two buffers.
    double* chain = chains[0];
    double* next = chains[1];
    identity(chain);
    const sAnimation* previous = nullptr;
    for (sAnimation& f : frames) {
        // Rotation keys accumulate from frame 0 up: chain(i) = R(-angle(i), axis(i)) * chain(i - 1).
        // Frames between keys repeat a key; its rotation need not be worked out again.
        if (!previous || previous->angle != f.angle || std::memcmp(previous->axis, f.axis, sizeof f.axis) != 0)
            rotation(r, -f.angle, f.axis);
        previous = &f;
        multiplyAffine(r, chain, next, noShift);
        std::swap(chain, next);
        // T(pos) * chain only moves the chain's translation.
        const double shift[3] = {f.pos[0], f.pos[1], f.pos[2]};
        multiplyAffine(chain, undoNode, m, shift);
#ifdef __SSE2__
        for (int k = 0; k < 16; k += 4)
            _mm_storeu_ps(f.matrix + k, _mm_movelh_ps(_mm_cvtpd_ps(_mm_loadu_pd(m + k)),
                                                      _mm_cvtpd_ps(_mm_loadu_pd(m + k + 2))));
#else
        for (int k = 0; k < 16; ++k)
            f.matrix[k] = static_cast<float>(m[k]);
#endif
    }
}

int cMesh::pickFrame(int frame)
{
    if (frames.empty())
        return -1;
    if (frame >= 0)
        return frame < numFrames ? frame : numFrames - 1;
    if (currentFrame > loopLast || currentFrame < 0 || currentFrame >= numFrames)
        currentFrame = loopFirst;
    return currentFrame++;
}

bool cMesh::saveToBinFile(const char* path) const
{
    if (faces.empty() || !path)
        return false;
    std::string out;
    putBytes(out, name, std::strlen(name) + 1);
    putBytes(out, pos, sizeof pos);
    unsigned char flags[2] = {static_cast<unsigned char>(hasNormals()), static_cast<unsigned char>(hasTexCoords())};
    putBytes(out, flags, 2);
    int32_t count = numFaces;
    putBytes(out, &count, 4);
    putBytes(out, faces.data(), faces.size() * sizeof(float));
    putBytes(out, normals.data(), normals.size() * sizeof(float));
    putBytes(out, texCoords.data(), texCoords.size() * sizeof(float));
    std::ofstream file(path, std::ios::binary);
    return file && file.write(out.data(), static_cast<std::streamsize>(out.size())) && file.flush();
}

bool cMesh::loadFromBinFile(const char* path)
{
    dispose();
    if (!path)
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    file.seekg(0);
    if (size < 0)
        return false;

    char fileName[nameSize];
    int nameLen = 0;
    for (;; ++nameLen) {
        if (nameLen == nameSize || !file.get(fileName[nameLen]))
            return false;
        if (fileName[nameLen] == 0)
            break;
    }
    float filePos[3];
    unsigned char flags[2];
    int32_t count;
    if (!file.read(reinterpret_cast<char*>(filePos), sizeof filePos) ||
        !file.read(reinterpret_cast<char*>(flags), 2) || !file.read(reinterpret_cast<char*>(&count), 4))
        return false;
    if (flags[0] > 1 || flags[1] > 1 || count < 0)
        return false;
    // Every byte is accounted for, before anything is allocated: a short file, or one whose
    // count disagrees with its size, is refused.
    uint64_t block = static_cast<uint64_t>(count) * 36;
    uint64_t rest = static_cast<uint64_t>(size) - static_cast<uint64_t>(nameLen + 1 + 18);
    if (rest != block * (1u + flags[0] + flags[1]) || !realloc(1, count, 0))
        return false;
    auto readBlock = [&](std::vector<float>& to, bool present) {
        if (!present) {
            std::vector<float>().swap(to);
            return true;
        }
        return static_cast<bool>(file.read(reinterpret_cast<char*>(to.data()), static_cast<std::streamsize>(block)));
    };
    if (!readBlock(faces, true) || !readBlock(normals, flags[0]) || !readBlock(texCoords, flags[1])) {
        dispose();
        return false;
    }
    std::memcpy(name, fileName, static_cast<size_t>(nameLen) + 1);
    std::memcpy(pos, filePos, sizeof pos);
    closed = isClosedSurface(faces.data(), numFaces);
    return true;
}

void cMesh::printInfo() const
{
    std::printf("-----------------------\n name: %s\n vertices: %d\n faces: %d\n", name, numVertices, numFaces);
    if (!frames.empty())
        std::printf(" frames: %d\n ANIMATION", numFrames);
    if (hasNormals())
        std::printf(" NORMALS");
    if (hasTexCoords())
        std::printf(" TEXTURE");
    std::printf("\n");
}

