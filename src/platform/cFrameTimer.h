// Frame timing of the main loop: the timer chain (20 ms, then every 5 ms), full
// power mode, and the measured elapsed time of each tick. Kept free of GLUT so
// it can be tested; the window layer supplies the clock and the three actions.
#pragma once

class cFrameTimer {
public:
    // What the timer asks of the window layer.
    class iHost {
    public:
        virtual ~iHost() = default;
        // One game tick with the elapsed milliseconds.
        virtual void update(int ms) = 0;
        virtual void redisplay() = 0;
        // Arms a one-shot timer that calls onTimerFired after delayMs.
        virtual void armTimer(int delayMs) = 0;
    };

    // fullPower is the program's full power flag, read and toggled here.
    cFrameTimer(iHost& host, bool& fullPower) : host(host), fullPower(fullPower) {}

    // Arms the first timer, 20 ms from now.
    void start();
    // A timer armed here has fired; now is the clock in ms since start-up.
    // Ticks, then in the normal mode requests a redraw and re-arms (5 ms).
    void onTimerFired(int now);
    // Full power mode's display loop: one tick before each frame.
    void onFrame(int now) { tick(now); }
    // F5: switches mode and says so on standard output. Leaving full power
    // restarts the chain only when no timer is still pending, so pressing F5
    // twice within one interval cannot leave two chains running.
    void toggleFullPower();

    int getPendingTimers() const { return pending; }

private:
    // Elapsed time since the previous tick, uncapped; the first tick gets the
    // whole time since start-up. A clock that runs backwards gives 0.
    void tick(int now);
    void arm(int delayMs);

    iHost& host;
    bool& fullPower;
    int timeLast = 0;  // clock at the previous tick, ms
    int pending = 0;   // timers armed and not yet fired
};
