// Shared helpers of the content tests: where the generated content is, and
// reading its files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace contentTest {

inline std::filesystem::path dir() { return std::filesystem::path(ORBIX_BIN_DIR); }

// The build writes the content beside the executable; without it there is nothing to test.
#define SKIP_WITHOUT_CONTENT()                                                          \
    do {                                                                                \
        if (!std::filesystem::is_directory(contentTest::dir() / "maps"))                \
            GTEST_SKIP() << "no generated content in " << contentTest::dir().string(); \
    } while (0)

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline uint32_t le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}
inline uint16_t le16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }

}  // namespace contentTest
