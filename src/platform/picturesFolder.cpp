// Reading the XDG user directories file and numbering screenshots.
#include "platform/picturesFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::path(path).is_absolute() && fs::is_directory(path, ec);
}

// The value of XDG_PICTURES_DIR in a user-dirs.dirs file: "$HOME/..." or an absolute path.
std::string fromUserDirs(const std::string& file, const std::string& home) {
    std::ifstream in(file);
    std::string line, found;
    const std::string key = "XDG_PICTURES_DIR=";
    while (std::getline(in, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string value = line.substr(start + key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            continue;
        value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) {
            if (home.empty())
                continue;
            value = home + value.substr(5);
        }
        found = value;  // the last assignment holds, as in the shell
    }
    return found;
}

}  // namespace

std::string findPicturesFolder(const char* picturesEnv, const char* home, const char* configHome,
                               const std::string& startFolder) {
    if (picturesEnv != nullptr && isFolder(picturesEnv))
        return picturesEnv;
    const std::string homeDir = home != nullptr ? home : "";
    std::string config = configHome != nullptr && configHome[0] != '\0' ? configHome : "";
    if (config.empty() && !homeDir.empty())
        config = homeDir + "/.config";
    if (!config.empty()) {
        const std::string named = fromUserDirs(config + "/user-dirs.dirs", homeDir);
        if (isFolder(named))
            return named;
    }
    if (!homeDir.empty() && isFolder(homeDir + "/Pictures"))
        return homeDir + "/Pictures";
    return startFolder;
}

std::string nextScreenshotPath(const std::string& folder) {
    for (int n = 1; n <= 9999; n++) {
        char name[32];
        std::snprintf(name, sizeof name, "orbix-tal-%04d.png", n);
        const fs::path path = fs::path(folder) / name;
        std::error_code ec;
        if (!fs::exists(path, ec) && !ec)
            return path.string();
    }
    return "";
}
