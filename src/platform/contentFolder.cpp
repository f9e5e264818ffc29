// Content folder lookup and change of working directory.
#include "platform/contentFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool holdsMaps(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "maps", ec);
}

void note(std::string& tried, const fs::path& dir) {
    if (!tried.empty()) tried += ", ";
    tried += dir.string();
}

}  // namespace

std::string findContentFolder(const std::string& exeDir, const char* dataEnv, std::string& tried) {
    tried.clear();
    if (dataEnv && *dataEnv) {
        note(tried, dataEnv);
        return holdsMaps(dataEnv) ? std::string(dataEnv) : std::string();
    }
    const fs::path own = exeDir;
    const fs::path installed = own.parent_path() / "share" / "orbix-tal";
    for (const fs::path& dir : {own, installed}) {
        note(tried, dir);
        if (holdsMaps(dir)) return dir.string();
    }
    return std::string();
}

bool enterContentFolder(std::string& message) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    const std::string exeDir = ec ? fs::current_path(ec).string() : exe.parent_path().string();
    std::string tried;
    const std::string dir = findContentFolder(exeDir, std::getenv("ORBIX_DATA"), tried);
    if (dir.empty()) {
        message = "No content folder with maps/ found (looked in " + tried +
                  "). Set ORBIX_DATA to the folder that holds maps/.";
        return false;
    }
    fs::current_path(dir, ec);
    if (ec) {
        message = "Cannot enter the content folder " + dir + ": " + ec.message();
        return false;
    }
    return true;
}
