// Owner side of the main menu: receives its messages.
#pragma once

class iMenu {
public:
    virtual ~iMenu() = default;
    // 0 = slide-out finished (start the next level), 1 = quit, 2 = leave the menu.
    virtual void msgMenu(int message) = 0;
};
