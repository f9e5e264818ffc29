// Corpus replay without libFuzzer: feeds each named file, or each file in a named folder, to a target once.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    // Every path is made absolute first: some targets move into a scratch folder of their own.
    std::vector<fs::path> paths;
    for (int a = 1; a < argc; ++a) {
        const fs::path arg = fs::absolute(argv[a]);
        if (!fs::is_directory(arg))
            paths.push_back(arg);
        else
            for (const fs::directory_entry& e : fs::directory_iterator(arg))
                if (e.is_regular_file()) paths.push_back(e.path());
    }
    std::sort(paths.begin(), paths.end());  // the same order on every machine
    size_t replayed = 0;
    for (const fs::path& p : paths) {
        std::ifstream in(p, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", p.c_str());
            continue;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        replayed++;
    }
    std::printf("replayed %zu of %zu inputs\n", replayed, paths.size());
    return replayed > 0 && replayed == paths.size() ? 0 : 1;
}
