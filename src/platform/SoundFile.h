#pragma once
// Recognises the sound files the mixer plays (WAV, Ogg Vorbis, FLAC, MP3) from their
// headers and reads how long one play of them lasts, without decoding and without an
// audio device. Both sound systems check files here first, so a file that one of them
// refuses, the other refuses with the same result.
#include <string>

#include "platform/SoundSystem.h"

namespace Velmora::Platform {

// SOUND_ERR_FILE_NOTFOUND when path is not a readable file, SOUND_ERR_FORMAT when it
// is none of the formats, SOUND_ERR_FILE_BAD when its headers are broken.
SoundResult ReadSoundLength(const std::string& path, double* seconds);

}  // namespace Velmora::Platform
