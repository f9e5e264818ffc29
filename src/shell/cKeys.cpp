// Table of held keys.
#include "shell/cKeys.h"

#include <cstring>

void cKeys::clearAll() { std::memset(flags, 0, sizeof flags); }
