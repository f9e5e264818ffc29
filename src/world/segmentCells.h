// The grid cells a straight segment touches, walked from its start: projectiles use it so
// that no step skips a tree, and the bots to judge a clear walk or shot.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

// Walks, in order from (ax, ay), every cell [cx, cx+1) x [cy, cy+1) that the segment to
// (bx, by) touches; where it passes through a cell corner, both side cells count too, so
// neither two trees meeting at a corner nor a lone corner lets it through. stop(cx, cy)
// is asked of each cell; the first true ends the walk, and the answer is the fraction of
// the segment (0..1) at which it enters that cell. -1 when no cell stops it, and when a
// coordinate is not a number or lies beyond any map (a walk there would never end).
template <class Stop>
float firstCellOnSegment(float ax, float ay, float bx, float by, Stop stop) {
    constexpr float beyond = 1.0e6f;
    if (!(std::fabs(ax) < beyond && std::fabs(ay) < beyond && std::fabs(bx) < beyond &&
          std::fabs(by) < beyond))
        return -1.0f;
    int cx = static_cast<int>(std::floor(ax)), cy = static_cast<int>(std::floor(ay));
    const int ex = static_cast<int>(std::floor(bx)), ey = static_cast<int>(std::floor(by));
    const float dx = bx - ax, dy = by - ay;
    const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    const float never = std::numeric_limits<float>::infinity();
    // Fractions of the segment between two x (y) grid lines, and to the next one.
    const float stepX = dx != 0 ? 1.0f / std::fabs(dx) : never;
    const float stepY = dy != 0 ? 1.0f / std::fabs(dy) : never;
    float nextX = dx != 0 ? (sx > 0 ? static_cast<float>(cx + 1) - ax : ax - static_cast<float>(cx)) * stepX : never;
    float nextY = dy != 0 ? (sy > 0 ? static_cast<float>(cy + 1) - ay : ay - static_cast<float>(cy)) * stepY : never;
    float entered = 0.0f;
    for (;;) {
        if (stop(cx, cy))
            return entered;
        // Rounding may leave the end cell unreached; the fractions still tell the end.
        if ((cx == ex && cy == ey) || std::min(nextX, nextY) > 1.0f)
            return -1.0f;
        if (std::fabs(nextX - nextY) < 1e-5f) {
            entered = std::min(nextX, nextY);
            if (stop(cx + sx, cy) || stop(cx, cy + sy))
                return entered;
            cx += sx;
            cy += sy;
            nextX += stepX;
            nextY += stepY;
        } else if (nextX < nextY) {
            entered = nextX;
            cx += sx;
            nextX += stepX;
        } else {
            entered = nextY;
            cy += sy;
            nextY += stepY;
        }
    }
}
