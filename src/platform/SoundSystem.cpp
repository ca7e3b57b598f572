#include "platform/SoundSystem.h"

#include <cstdio>

namespace Velmora::Platform {

namespace {
bool g_audioOutput = false;
bool g_toldNoDevice = false;
}  // namespace

const char* SoundErrorString(SoundResult result) {
    switch (result) {
        case SOUND_OK:
            return "No errors.";
        case SOUND_ERR_CHANNEL_ALLOC:
            return "Error trying to allocate a channel. ";
        case SOUND_ERR_FILE_BAD:
            return "Error loading file. ";
        case SOUND_ERR_FILE_NOTFOUND:
            return "File not found. ";
        case SOUND_ERR_FORMAT:
            return "Unsupported file or audio format. ";
        case SOUND_ERR_INVALID_HANDLE:
            return "An invalid object handle was used. ";
        case SOUND_ERR_INVALID_PARAM:
            return "An invalid parameter was passed to this function. ";
        case SOUND_ERR_MEMORY:
            return "Not enough memory or resources. ";
        case SOUND_ERR_OUTPUT_INIT:
            return "Error initializing output device. ";
        case SOUND_ERR_UNINITIALIZED:
            return "This command failed because System::init or System::setDriver was not called. ";
        default:
            return "Unknown error.";
    }
}

void SetAudioOutputEnabled(bool enabled) {
    g_audioOutput = enabled;
}

SoundResult SoundSystemCreate(std::unique_ptr<SoundSystem>* system) {
    if (system == nullptr) {
        return SOUND_ERR_INVALID_PARAM;
    }
    if (g_audioOutput) {
        std::string error;
        if (CreateMixerSoundSystem(system, &error)) {
            return SOUND_OK;
        }
        // A game without sound is better than no game at all.
        if (!g_toldNoDevice) {
            g_toldNoDevice = true;
            std::fprintf(stderr, "velmora: no audio device (%s); the game runs without sound\n",
                         error.c_str());
            std::fflush(stderr);
        }
    }
    *system = CreateSilentSoundSystem();
    return SOUND_OK;
}

}  // namespace Velmora::Platform
