// The run state of units and maps that belong to no level.
#include "world/cRunState.h"

cRunState& cRunState::detached() {
    static cRunState state;
    return state;
}
