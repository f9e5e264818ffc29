// The timer chain and full power mode of the main loop.
#include "platform/cFrameTimer.h"

#include <climits>
#include <cstdint>
#include <cstdio>

void cFrameTimer::start() { arm(20); }

void cFrameTimer::arm(int delayMs) {
    pending++;
    host.armTimer(delayMs);
}

void cFrameTimer::tick(int now) {
    int64_t elapsed = int64_t(now) - timeLast;
    if (elapsed < 0) elapsed = 0;
    if (elapsed > INT_MAX) elapsed = INT_MAX;
    timeLast = now;
    host.update(int(elapsed));
}

void cFrameTimer::onTimerFired(int now) {
    if (pending > 0) pending--;
    tick(now);
    if (fullPower) return;  // the chain ends; the display loop ticks instead
    host.redisplay();
    arm(5);
}

void cFrameTimer::toggleFullPower() {
    fullPower = !fullPower;
    if (fullPower) {
        std::fputs("Entering Full Power Mode.\n", stdout);
        std::fflush(stdout);
        host.redisplay();
        return;
    }
    std::fputs("Leaving Full Power Mode.\n", stdout);
    std::fflush(stdout);
    if (pending == 0) arm(5);
}
