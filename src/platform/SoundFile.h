#pragma once
// Recognises the sound files the mixer plays (WAV, Ogg Vorbis, FLAC, MP3) from their
// headers and reads how long one play of them lasts, without decoding and without an
// audio device. Both sound systems check files here first, so a file that one of them
// refuses, the other refuses with the same result.
#include <string>

#include "platform/SoundSystem.h"

namespace Velmora::Platform {

// kSoundFileMissing when path is not a readable file, kSoundUnknownFormat when it
// is none of the formats, kSoundUnreadableFile when its headers are broken.
SoundResult ReadSoundLength(const std::string& path, double* seconds);

}  // namespace Velmora::Platform
