// Thin sound layer over OpenAL Soft and libsndfile: named voices that play WAV files.
#pragma once

#include <map>
#include <string>

// Stands in for the media command interface the game was designed on: a WAV file is
// opened under an alias, an alias is started from the beginning without waiting, and an
// alias is closed. Aliases opened on the same file share one decoded buffer, each alias
// being one independent voice (an OpenAL source). Only this class touches OpenAL or libsndfile.
// One GUI thread calls it; it is not thread-safe.
class audioDevice {
public:
    audioDevice() = default;
    ~audioDevice();
    audioDevice(const audioDevice&) = delete;
    audioDevice& operator=(const audioDevice&) = delete;

    // Opens the default output device; false when there is none (the game then runs silent).
    // Opening an open device does nothing and answers true.
    bool open();
    bool isOpen() const { return device != nullptr; }
    // Closes every voice, frees the buffers and releases the device; safe to call again.
    void close();

    // Decodes path (once per path) and makes a voice for it under alias. False when the device
    // is not open, the alias is taken, or the file cannot be read as a supported sound.
    bool openVoice(const std::string& alias, const std::string& path);
    // Rewinds the voice and starts it; false for an unknown alias.
    bool play(const std::string& alias);
    // Stops and deletes the voice; its buffer goes with the last voice using it.
    void closeVoice(const std::string& alias);

    // Loudness of every voice, 0 silent to 1 as recorded (clamped); kept for a device opened later.
    void setGain(float gain);
    float getGain() const { return gain; }

    // How many times alias was started since it was opened (0 for an unknown alias).
    int startCount(const std::string& alias) const;

private:
    struct sBuffer {
        unsigned id = 0;
        int users = 0;
    };
    struct sVoice {
        unsigned source = 0;
        std::string path;
        int starts = 0;
    };

    // Returns the AL buffer name for path, decoding the file on first use; 0 on failure.
    unsigned acquireBuffer(const std::string& path);
    void releaseBuffer(const std::string& path);

    float gain = 1.0f;
    void* device = nullptr;   // ALCdevice, owned
    void* context = nullptr;  // ALCcontext, owned
    std::map<std::string, sBuffer> buffers;
    std::map<std::string, sVoice> voices;
};
