#include "sound/SoundController.h"

#include <cstdio>

#include "core/Error.h"

namespace Velmora {

namespace {

// Volume units per second: a full fade takes about 1.43 s.
constexpr float kFadeRate = 0.7f;

}  // namespace

void SoundController::CheckResult(Platform::SoundResult result, const std::string& file) {
    if (result == Platform::kSoundOk) {
        return;
    }
    char text[256];
    std::snprintf(text, sizeof(text), "FMOD error! (%d) %s", result,
                  Platform::SoundErrorString(result));
    throw Exception(text + file + "\n");
}

SoundController::~SoundController() {
    if (System == nullptr) {
        return;
    }
    // Teardown runs from destructors: a failing release must not escape them.
    for (auto& entry : Sounds) {
        if (entry.second.Sound != nullptr) {
            System->ReleaseSound(entry.second.Sound);
        }
    }
    System->Close();
}

SoundEntry* SoundController::Find(const std::string& name) {
    auto found = Sounds.find(name);
    return found != Sounds.end() ? &found->second : nullptr;
}

void SoundController::Add(const std::string& name) {
    SoundEntry& entry = Sounds[name];
    if (System == nullptr) {
        CheckResult(Platform::kSoundNotStarted, "res/sound/" + name);
        return;
    }
    // Loading a name again keeps the earlier sound alive while its plays go on.
    if (entry.Sound != nullptr) {
        replaced_.push_back(entry.Sound);
        entry.Sound = nullptr;
    }
    CheckResult(System->CreateSound("res/sound/" + name, &entry.Sound), "res/sound/" + name);
}

void SoundController::Play(const std::string& name, float volume, bool loop) {
    SoundEntry* entry = Find(name);
    if (entry == nullptr || entry->Sound == nullptr) {
        return;
    }
    CheckResult(System->SetLooping(entry->Sound, loop), "res/sound/" + name);
    CheckResult(System->PlaySound(entry->Sound, false, &entry->Channel), "res/sound/" + name);
    System->SetVolume(entry->Channel, volume);
}

void SoundController::Stop(const std::string& name) {
    SoundEntry* entry = Find(name);
    if (entry == nullptr || !entry->Channel.IsSet()) {
        return;
    }
    System->Stop(entry->Channel);
}

void SoundController::FadeIn(const std::string& name, bool loop) {
    SoundEntry* entry = Find(name);
    if (entry == nullptr) {
        return;
    }
    entry->Fade = SoundFade::FadeIn;
    Play(name, 0.0f, loop);
}

void SoundController::FadeOut(const std::string& name) {
    SoundEntry* entry = Find(name);
    if (entry == nullptr) {
        return;
    }
    entry->Fade = SoundFade::FadeOut;
}

void SoundController::SetPaused(bool paused) {
    if (System != nullptr) {
        System->SetPaused(paused);
    }
}

void SoundController::Update(float frameTime) {
    if (System == nullptr) {
        return;
    }
    System->Advance(frameTime);
    System->Update();
    for (auto it = replaced_.begin(); it != replaced_.end();) {
        if (System->IsSoundPlaying(*it)) {
            ++it;
            continue;
        }
        System->ReleaseSound(*it);
        it = replaced_.erase(it);
    }
    for (auto& item : Sounds) {
        SoundEntry& entry = item.second;
        if (entry.Fade == FadeNone) {
            continue;
        }
        float volume = 0.0f;
        if (!entry.Channel.IsSet() ||
            System->GetVolume(entry.Channel, &volume) != Platform::kSoundOk) {
            // Never played, or the voice ended or was taken over: nothing left to fade.
            entry.Fade = FadeNone;
            continue;
        }
        if (entry.Fade == SoundFade::FadeIn) {
            volume += frameTime * kFadeRate;
            if (volume > 1.0f) {
                volume = 1.0f;
                entry.Fade = FadeNone;
            }
        } else {
            volume -= frameTime * kFadeRate;
            if (volume < 0.0f) {
                System->Stop(entry.Channel);
                entry.Fade = FadeNone;
                volume = 0.0f;
            }
        }
        System->SetVolume(entry.Channel, volume);
    }
}

}  // namespace Velmora
