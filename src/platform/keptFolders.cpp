// Finding the game's config and data folders from the environment.
#include "platform/keptFolders.h"

#include <cstdlib>

namespace {

bool isAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

std::string keptFolderFrom(const char* xdgValue, const char* home, const char* homeFallback) {
    if (isAbsolute(xdgValue))
        return std::string(xdgValue) + "/orbix-tal";
    if (isAbsolute(home))
        return std::string(home) + "/" + homeFallback + "/orbix-tal";
    return "";
}

std::string keptConfigFolder() {
    return keptFolderFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
}

std::string keptDataFolder() {
    return keptFolderFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), ".local/share");
}
