// A scratch file for a fuzz target: the readers take paths, so each input goes through a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

// Lives under the temporary folder, private to this process and target; removed on destruction.
class cScratchFile {
public:
    cScratchFile(const char* target, const char* extension)
        : filePath("/tmp/orbix-" + std::string(target) + "-" + std::to_string(::getpid()) + extension) {}
    ~cScratchFile() { std::remove(filePath.c_str()); }
    cScratchFile(const cScratchFile&) = delete;
    cScratchFile& operator=(const cScratchFile&) = delete;

    const char* path() const { return filePath.c_str(); }
    // Replaces the file's content with the bytes; false when it cannot be written.
    bool write(const uint8_t* data, size_t size) const {
        std::FILE* f = std::fopen(filePath.c_str(), "wb");
        if (!f) return false;
        const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
        return std::fclose(f) == 0 && ok;
    }

private:
    std::string filePath;
};
