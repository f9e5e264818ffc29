// WAV output on libsndfile. The samples are rounded to 16 bits here rather than by
// libsndfile's float conversion, whose rounding and clipping would change the bytes
// of every generated sound from one library version to the next.
#include "cWavWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

bool cWavWriter::save(const std::string& path, const std::vector<float>& samples, int rate) {
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(),
                   [](float x) { return short(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f)); });
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "orbix-content: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const sf_count_t written = sf_write_short(file, pcm.data(), sf_count_t(pcm.size()));
    const bool ok = sf_close(file) == 0 && written == sf_count_t(pcm.size());
    if (!ok) std::remove(path.c_str());
    return ok;
}
