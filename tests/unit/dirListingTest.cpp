// The directory listing answers a read error in the middle of a folder as a failure, not as a shorter list.
#include "platform/dirListing.h"

#include "assetsTestFiles.h"

#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>

namespace {
// Entries readdir still hands out before it fails as a broken disk would; -1 never fails.
int entriesBeforeError = -1;
}

// Stands in for the C library's readdir in this test program (the listing reaches it
// through the standard library), failing on demand and passing through otherwise.
extern "C" struct dirent* readdir(DIR* dir) {
    using readdirFn = struct dirent* (*)(DIR*);
    static const readdirFn real = reinterpret_cast<readdirFn>(dlsym(RTLD_NEXT, "readdir"));
    if (entriesBeforeError == 0) {
        errno = EIO;
        return nullptr;
    }
    if (entriesBeforeError > 0) entriesBeforeError--;
    return real(dir);
}

TEST(DirListing, AReadErrorMidwayIsAFailure) {
    assetsTest::ScratchDir dir;
    for (const char* name : {"01.bmp", "02.bmp", "03.bmp", "04.bmp"}) assetsTest::writeFile(dir.file(name), "x");
    std::vector<std::string> names;
    ASSERT_TRUE(listDirectory(dir.path.c_str(), names));
    EXPECT_EQ(names.size(), 4u);
    // "." and ".." come first, then two of the maps, then the error.
    entriesBeforeError = 4;
    EXPECT_FALSE(listDirectory(dir.path.c_str(), names));
    EXPECT_TRUE(names.empty());
    entriesBeforeError = -1;
}
