// Directory listing on std::filesystem, sorted so the level order is the same on every machine.
#include "platform/dirListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

bool listDirectory(const char* path, std::vector<std::string>& names) {
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(path, ec);
    if (ec)
        return false;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    // A failed step leaves the iterator at the end, so the error shows only here:
    // a shortened list must not pass for the whole folder.
    if (ec) {
        names.clear();
        return false;
    }
    std::sort(names.begin(), names.end());
    return true;
}
