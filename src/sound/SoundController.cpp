#include "sound/SoundController.h"

#include <cstdio>

#include "script/Exception.h"

namespace Velmora {

void SoundController::CheckResult(Platform::SoundResult result) {
    if (result == Platform::SOUND_OK) {
        return;
    }
    char text[256];
    std::snprintf(text, sizeof(text), "FMOD error! (%d) %s\n", result,
                  Platform::SoundErrorString(result));
    throw Exception(text);
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

void SoundController::Add(const std::string&) {}
void SoundController::Play(const std::string&, float, bool) {}
void SoundController::Stop(const std::string&) {}
void SoundController::FadeIn(const std::string&, bool) {}
void SoundController::FadeOut(const std::string&) {}

void SoundController::Update(float) {
    if (System != nullptr) {
        System->Update();
    }
}

}  // namespace Velmora
