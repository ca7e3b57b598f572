#pragma once
// What the engine asks of a sound library: samples loaded by path, played once or
// looped on one of a fixed number of voices, per-voice volume, stop, and knowing when
// a voice has ended. Every failure is a numbered result code: scripts and the error
// messages players report show those numbers, so they never change.
#include <cstdint>
#include <memory>
#include <string>

namespace Velmora::Platform {

using SoundResult = int;
constexpr SoundResult kSoundOk = 0;
constexpr SoundResult kSoundNoFreeVoice = 10;
constexpr SoundResult kSoundUnreadableFile = 19;
constexpr SoundResult kSoundFileMissing = 23;
constexpr SoundResult kSoundUnknownFormat = 25;
constexpr SoundResult kSoundStaleVoice = 36;
constexpr SoundResult kSoundBadArgument = 37;
constexpr SoundResult kSoundOutOfMemory = 43;
constexpr SoundResult kSoundNoOutput = 60;
constexpr SoundResult kSoundNotStarted = 79;

// The description of a result code, byte for byte as the engine shows it.
const char* SoundErrorString(SoundResult result);

// The mixer opens the device at this format and decodes every sample whole into it,
// whatever the file holds: 44.1 kHz, stereo, 16-bit.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kOutputSampleBytes = 2;
// The most one sample may take decoded, a little over 25 minutes at the output format.
// A small file can claim hours (silence compresses to nothing, a WAV may claim a rate of
// 1 Hz); such a file is refused with kSoundOutOfMemory before it is decoded.
constexpr double kMaxDecodedSoundBytes = 256.0 * 1024 * 1024;

// A loaded sample, owned by the system that made it.
class Sound {
public:
    virtual ~Sound() = default;
};

// A voice of one play. A handle goes stale when its voice ends or is taken over by a
// later play; calls on a stale handle answer kSoundStaleVoice. When every
// voice is busy, a new play takes over the voice that has played longest.
struct ChannelHandle {
    int Voice = -1;
    std::uint32_t Serial = 0;
    bool IsSet() const { return Voice >= 0; }
};

class SoundSystem {
public:
    virtual ~SoundSystem() = default;

    virtual SoundResult Init(int voices) = 0;
    // A new sample plays once until SetLooping says otherwise.
    virtual SoundResult CreateSound(const std::string& path, Sound** sound) = 0;
    virtual SoundResult SetLooping(Sound* sound, bool loop) = 0;
    virtual SoundResult PlaySound(Sound* sound, bool paused, ChannelHandle* channel) = 0;
    virtual SoundResult SetVolume(ChannelHandle channel, float volume) = 0;
    virtual SoundResult GetVolume(ChannelHandle channel, float* volume) = 0;
    virtual SoundResult Stop(ChannelHandle channel) = 0;
    virtual SoundResult IsPlaying(ChannelHandle channel, bool* playing) = 0;
    // Whether any voice still plays sound. A system that cannot tell says yes.
    virtual bool IsSoundPlaying(Sound* sound) {
        (void)sound;
        return true;
    }
    virtual SoundResult ReleaseSound(Sound* sound) = 0;
    virtual SoundResult Update() = 0;
    virtual SoundResult Close() = 0;

    // Game time that passed since the last call. The mixer plays in real time and
    // ignores it; the silent system ends its voices by this clock, so headless runs
    // with a fixed frame time end sounds on the same frame every time.
    virtual void Advance(float seconds) = 0;
    // Holds every playing voice where it is, or lets them go on; plays started while
    // paused sound at once. The silent system's voices stand still without Advance.
    virtual void SetPaused(bool paused) { (void)paused; }
    // Lets go of samples decoded ahead that no CreateSound has taken yet.
    virtual void DropPrefetched() {}
};

// The mixer on the audio device when audioOutput, else (or when there is no device,
// which it then says on standard error, or in *warning when given) the silent system
// of headless runs and tests.
SoundResult SoundSystemCreate(bool audioOutput, std::unique_ptr<SoundSystem>* system,
                              std::string* warning = nullptr);

std::unique_ptr<SoundSystem> CreateSilentSoundSystem();
// Opens the audio device; false (with *error set) when there is none. One at a time.
bool CreateMixerSoundSystem(std::unique_ptr<SoundSystem>* system, std::string* error);

}  // namespace Velmora::Platform
