// The entry point of the sound backend library, which the game loads at its
// first cue.

#include "sound/sdl_sound_player.h"

extern "C" __attribute__((visibility("default"))) velmora::SoundPlayer*
velmora_create_sound_player(void (*fallback)(void*), void* context)
{
    return new velmora::SdlSoundPlayer([fallback, context] { fallback(context); });
}
