// OpenAL Soft playback of WAV files decoded by libsndfile.
#include "platform/audioDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <sndfile.h>

#include <cstdint>
#include <vector>

namespace {

// Effects are short; anything longer than this is not a sound effect and is refused
// rather than decoded into an unbounded allocation.
constexpr sf_count_t maxSeconds = 60;

ALCdevice* asDevice(void* p) { return static_cast<ALCdevice*>(p); }
ALCcontext* asContext(void* p) { return static_cast<ALCcontext*>(p); }

// Decodes a mono or stereo file into 16-bit samples; false for anything else.
bool decode(const std::string& path, std::vector<int16_t>& samples, ALenum& format, ALsizei& rate)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return false;
    bool ok = (info.channels == 1 || info.channels == 2) && info.samplerate > 0 && info.samplerate <= 192000 &&
              info.frames > 0 && info.frames <= maxSeconds * info.samplerate;
    if (ok) {
        samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
        sf_count_t got = sf_readf_short(file, samples.data(), info.frames);
        ok = got > 0;
        samples.resize(static_cast<size_t>(got > 0 ? got : 0) * static_cast<size_t>(info.channels));
        format = info.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
        rate = info.samplerate;
    }
    sf_close(file);
    return ok;
}

} // namespace

audioDevice::~audioDevice()
{
    close();
}

bool audioDevice::open()
{
    if (device)
        return true;
    ALCdevice* dev = alcOpenDevice(nullptr);
    if (!dev)
        return false;
    ALCcontext* ctx = alcCreateContext(dev, nullptr);
    if (!ctx || !alcMakeContextCurrent(ctx)) {
        if (ctx)
            alcDestroyContext(ctx);
        alcCloseDevice(dev);
        return false;
    }
    device = dev;
    context = ctx;
    alListenerf(AL_GAIN, gain);
    return true;
}

void audioDevice::close()
{
    while (!voices.empty())
        closeVoice(voices.begin()->first);
    if (context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(asContext(context));
        context = nullptr;
    }
    if (device) {
        alcCloseDevice(asDevice(device));
        device = nullptr;
    }
}

unsigned audioDevice::acquireBuffer(const std::string& path)
{
    auto found = buffers.find(path);
    if (found != buffers.end()) {
        found->second.users += 1;
        return found->second.id;
    }
    std::vector<int16_t> samples;
    ALenum format = 0;
    ALsizei rate = 0;
    if (!decode(path, samples, format, rate))
        return 0;
    alGetError();
    ALuint id = 0;
    alGenBuffers(1, &id);
    if (alGetError() != AL_NO_ERROR)
        return 0;
    alBufferData(id, format, samples.data(), static_cast<ALsizei>(samples.size() * sizeof(int16_t)), rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &id);
        return 0;
    }
    buffers[path] = sBuffer{id, 1};
    return id;
}

void audioDevice::releaseBuffer(const std::string& path)
{
    auto found = buffers.find(path);
    if (found == buffers.end())
        return;
    if (--found->second.users > 0)
        return;
    ALuint id = found->second.id;
    alDeleteBuffers(1, &id);
    buffers.erase(found);
}

void audioDevice::setGain(float g)
{
    gain = g < 0.0f ? 0.0f : (g > 1.0f ? 1.0f : g);
    if (device)
        alListenerf(AL_GAIN, gain);
}

bool audioDevice::openVoice(const std::string& alias, const std::string& path)
{
    if (!device || voices.count(alias))
        return false;
    ALuint buffer = acquireBuffer(path);
    if (!buffer)
        return false;
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        releaseBuffer(path);
        return false;
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    // Effects sound at full level wherever the listener is: the game has no positional audio.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    voices[alias] = sVoice{source, path, 0};
    return true;
}

bool audioDevice::play(const std::string& alias)
{
    auto found = voices.find(alias);
    if (found == voices.end())
        return false;
    alSourceRewind(found->second.source);
    alSourcePlay(found->second.source);
    found->second.starts += 1;
    return true;
}

void audioDevice::closeVoice(const std::string& alias)
{
    auto found = voices.find(alias);
    if (found == voices.end())
        return;
    ALuint source = found->second.source;
    alSourceStop(source);
    alDeleteSources(1, &source);
    std::string path = found->second.path;
    voices.erase(found);
    releaseBuffer(path);
}

int audioDevice::startCount(const std::string& alias) const
{
    auto found = voices.find(alias);
    return found == voices.end() ? 0 : found->second.starts;
}
