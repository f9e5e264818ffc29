// Plane extraction from the combined matrix and the box test.
#include "world/cFrustum.h"

#include <cmath>
#include <limits>

cFrustum::cFrustum(const float* projection, const float* modelView, int viewportHeight) {
    float row[4][4];  // rows of projection x model-view
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            row[i][j] = 0.0f;
            for (int k = 0; k < 4; ++k) row[i][j] += projection[k * 4 + i] * modelView[j * 4 + k];
        }
    for (int axis = 0; axis < 3; ++axis)
        for (int j = 0; j < 4; ++j) {
            plane[axis * 2][j] = row[3][j] + row[axis][j];
            plane[axis * 2 + 1][j] = row[3][j] - row[axis][j];
        }
    // The eye looks down its -z axis; a perspective projection scales y by cot(fov / 2).
    for (int j = 0; j < 4; ++j) depth[j] = -modelView[j * 4 + 2];
    unitPixels = projection[5] * 0.5f * static_cast<float>(viewportHeight);
}

float cFrustum::pixelsPerUnit(const float* low, const float* high) const {
    const float x = depth[0] >= 0.0f ? low[0] : high[0];
    const float y = depth[1] >= 0.0f ? low[1] : high[1];
    const float z = depth[2] >= 0.0f ? low[2] : high[2];
    const float nearest = depth[0] * x + depth[1] * y + depth[2] * z + depth[3];
    // Written so that a NaN gives full detail too.
    if (!(nearest > 1e-3f) || !(unitPixels > 0.0f)) return std::numeric_limits<float>::infinity();
    return unitPixels / nearest;
}

bool cFrustum::outside(const float* low, const float* high) const {
    for (const auto& q : plane) {
        const float x = q[0] >= 0.0f ? high[0] : low[0];
        const float y = q[1] >= 0.0f ? high[1] : low[1];
        const float z = q[2] >= 0.0f ? high[2] : low[2];
        const float margin =
            1e-3f * (std::fabs(q[0] * x) + std::fabs(q[1] * y) + std::fabs(q[2] * z) + std::fabs(q[3]) + 1.0f);
        // Written so that a NaN anywhere keeps the box: better drawn than lost.
        if (q[0] * x + q[1] * y + q[2] * z + q[3] < -margin) return true;
    }
    return false;
}
