// Corpus replay without libFuzzer: feeds every file named on the command line, or found in a
// folder named there, to a fuzz target once, so any compiler can check the committed corpora.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool replayFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int files = 0;
    bool ok = argc > 1;
    for (int a = 1; a < argc; ++a) {
        std::error_code ec;
        if (fs::is_directory(argv[a], ec)) {
            std::vector<fs::path> paths;
            for (const fs::directory_entry& e : fs::directory_iterator(argv[a], ec))
                if (e.is_regular_file()) paths.push_back(e.path());
            std::sort(paths.begin(), paths.end());
            for (const fs::path& p : paths) {
                ok = replayFile(p) && ok;
                ++files;
            }
        } else {
            ok = replayFile(argv[a]) && ok;
            ++files;
        }
    }
    std::printf("replayed %d inputs%s\n", files, ok ? "" : " (some unreadable)");
    return ok && files > 0 ? 0 : 1;
}
