#include "platform/SoundSystem.h"

namespace Velmora::Platform {

namespace {

// Placeholder until the full silent system (voices, lengths) is in place: it accepts
// start-up and per-frame updates, which is all the game controller needs of it.
class SilentSoundSystem : public SoundSystem {
public:
    SoundResult Init(int) override { return SOUND_OK; }
    SoundResult CreateSound(const std::string&, unsigned, Sound**) override {
        return SOUND_ERR_FILE_NOTFOUND;
    }
    SoundResult SetMode(Sound*, unsigned) override { return SOUND_ERR_INVALID_HANDLE; }
    SoundResult PlaySound(Sound*, bool, ChannelHandle*) override {
        return SOUND_ERR_INVALID_HANDLE;
    }
    SoundResult SetVolume(ChannelHandle, float) override { return SOUND_ERR_INVALID_HANDLE; }
    SoundResult GetVolume(ChannelHandle, float*) override { return SOUND_ERR_INVALID_HANDLE; }
    SoundResult Stop(ChannelHandle) override { return SOUND_ERR_INVALID_HANDLE; }
    SoundResult IsPlaying(ChannelHandle, bool*) override { return SOUND_ERR_INVALID_HANDLE; }
    SoundResult ReleaseSound(Sound*) override { return SOUND_OK; }
    SoundResult Update() override { return SOUND_OK; }
    SoundResult Close() override { return SOUND_OK; }
};

}  // namespace

std::unique_ptr<SoundSystem> CreateSilentSoundSystem() {
    return std::make_unique<SilentSoundSystem>();
}

}  // namespace Velmora::Platform
