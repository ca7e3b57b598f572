#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <memory>

#include "platform/Prefetch.h"
#include "platform/SoundFile.h"
#include "platform/VoiceSoundSystem.h"

namespace Velmora::Platform {

namespace {

// The mixer's state is process-wide, so only one system may hold the device.
bool g_deviceHeld = false;

// Bytes of decoded samples the mixer decodes ahead at most.
constexpr std::size_t kPrefetchedSoundBytes = 64u << 20;

struct FreeChunk {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};

// A sample decoded ahead; Checked when the file passed the checks CreateSound makes
// before it loads one (else it is left to that call and its result code).
struct DecodedSample {
    bool Checked = false;
    std::unique_ptr<Mix_Chunk, FreeChunk> Chunk;
};

class MixerSoundSystem : public VoiceSoundSystem {
public:
    // Decodes the game's sounds ahead, from the moment the device (whose format they are
    // decoded into) is open.
    MixerSoundSystem()
        : ahead_(std::make_unique<Prefetch<DecodedSample>>(
              [] {
                  return FilesUnder("res/sound", {".wav", ".ogg", ".flac", ".mp3"});
              },
              [](const std::string& path, DecodedSample& result) -> std::size_t {
                  double length = 0.0;
                  if (ReadSoundLength(path, &length) != kSoundOk ||
                      length * kOutputRate * kOutputChannels * kOutputSampleBytes >
                          kMaxDecodedSoundBytes) {
                      return 0;
                  }
                  result.Checked = true;
                  result.Chunk.reset(Mix_LoadWAV(path.c_str()));
                  return result.Chunk != nullptr ? result.Chunk->alen : 0;
              },
              kPrefetchedSoundBytes)) {}
    ~MixerSoundSystem() override { CloseIfOpen(); }

    void DropPrefetched() override { ahead_.reset(); }

    // The mixer plays in real time; ended voices show in Mix_Playing.
    void Advance(float) override {}
    void SetPaused(bool paused) override {
        if (paused) {
            Mix_Pause(-1);
        } else {
            Mix_Resume(-1);
        }
    }

protected:
    class Chunk : public Sample {
    public:
        explicit Chunk(Mix_Chunk* chunk) : Data(chunk) {}
        // Freeing a chunk also halts every channel still playing it.
        ~Chunk() override { Mix_FreeChunk(Data); }
        Mix_Chunk* Data;
    };

    SoundResult LoadSample(const std::string& path, double,
                           std::unique_ptr<Sample>* sample) override {
        DecodedSample decoded;
        Mix_Chunk* chunk = ahead_ != nullptr && ahead_->Take(path, decoded) && decoded.Checked
                               ? decoded.Chunk.release()
                               : Mix_LoadWAV(path.c_str());
        if (chunk == nullptr) {
            // The headers were fine (the caller checked them), so the data is broken.
            return kSoundUnreadableFile;
        }
        *sample = std::make_unique<Chunk>(chunk);
        return kSoundOk;
    }
    SoundResult OpenVoices(int count) override {
        return Mix_AllocateChannels(count) == count ? kSoundOk : kSoundOutOfMemory;
    }
    SoundResult StartVoice(int voice, Sample& sample, bool paused) override {
        Mix_Chunk* chunk = static_cast<Chunk&>(sample).Data;
        if (Mix_PlayChannel(voice, chunk, sample.Loop ? -1 : 0) != voice) {
            return kSoundNoFreeVoice;
        }
        if (paused) {
            Mix_Pause(voice);
        }
        return kSoundOk;
    }
    void HaltVoice(int voice) override { Mix_HaltChannel(voice); }
    bool VoiceRunning(int voice) override { return Mix_Playing(voice) != 0; }
    void ApplyVolume(int voice, float volume) override {
        // The mixer has 129 steps; the value the engine reads back stays the float it set.
        Mix_Volume(voice, static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)));
    }
    void CloseOutput() override {
        ahead_.reset();  // its thread decodes into the device's format
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_deviceHeld = false;
    }

private:
    std::unique_ptr<Prefetch<DecodedSample>> ahead_;
};

}  // namespace

bool CreateMixerSoundSystem(std::unique_ptr<SoundSystem>* system, std::string* error) {
    if (g_deviceHeld) {
        *error = "the audio device is already in use";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return false;
    }
    // Formats whose decoder is missing fail later, when a file of them is loaded.
    Mix_Init(MIX_INIT_OGG | MIX_INIT_FLAC | MIX_INIT_MP3);
    static_assert(SDL_AUDIO_BITSIZE(MIX_DEFAULT_FORMAT) == 8 * kOutputSampleBytes,
                  "the decoded size limit counts 16-bit samples");
    // Samples are decoded into the mixer's format. Held to the one asked for (SDL
    // converts for the device), a sample takes what the size limit reckons, also on a
    // device that wants 48 kHz or six channels.
    if (Mix_OpenAudioDevice(kOutputRate, MIX_DEFAULT_FORMAT, kOutputChannels, 1024, nullptr, 0) !=
        0) {
        *error = SDL_GetError();
        Mix_Quit();
        // Quitting the audio subsystem now would wait for its device-watching thread,
        // up to a tenth of a second of start-up on a machine without sound; it ends
        // with the program instead.
        return false;
    }
    g_deviceHeld = true;
    *system = std::make_unique<MixerSoundSystem>();
    return true;
}

}  // namespace Velmora::Platform
