// The limit of the loaders' allocations (fileAlloc.h).
#include "assets/fileAlloc.h"

#include <limits>

namespace {
size_t limit = std::numeric_limits<size_t>::max();
}

void fileAlloc::setLimit(size_t bytes) { limit = bytes; }

size_t fileAlloc::getLimit() { return limit; }
