// A private working folder for targets whose code reads content by relative path ("maps/...").
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

// Made with the given sub-folders and entered on construction; left and removed on destruction.
class cScratchFolder {
public:
    cScratchFolder(const char* target, std::initializer_list<const char*> subFolders)
        : back(std::filesystem::current_path()),
          dir(std::filesystem::temp_directory_path() /
              ("orbix-" + std::string(target) + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(dir);
        for (const char* sub : subFolders) std::filesystem::create_directories(dir / sub);
        std::filesystem::current_path(dir);
    }
    ~cScratchFolder() {
        std::error_code ec;
        std::filesystem::current_path(back, ec);
        std::filesystem::remove_all(dir, ec);
    }
    cScratchFolder(const cScratchFolder&) = delete;
    cScratchFolder& operator=(const cScratchFolder&) = delete;

private:
    std::filesystem::path back, dir;
};
