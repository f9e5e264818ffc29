// What the fuzz targets share: property checks and a private scratch working folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// A broken promise stops the run like a crash, with the reason.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Replaces the file's content with the bytes; false when it cannot be written.
inline bool fuzzWriteFile(const char* path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// A private working folder, private to this process and target, made with the given sub-folders
// and entered on construction; left and removed, with the scratch files in it, on destruction.
struct cScratchFolder {
    cScratchFolder(const char* target, std::initializer_list<const char*> subFolders)
        : back(std::filesystem::current_path()),
          dir(std::filesystem::temp_directory_path() /
              ("orbix-" + std::string(target) + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const char* sub : subFolders) std::filesystem::create_directories(dir / sub);
        std::filesystem::current_path(dir);
    }
    ~cScratchFolder() {
        std::error_code ec;
        std::filesystem::current_path(back, ec);
        std::filesystem::remove_all(dir, ec);
    }

    std::filesystem::path back, dir;
};
