#pragma once
// The game's sound effects: 100 slots, the first 31 loaded at start-up from data\sound\,
// played at the effects volume of the settings, and the GUI sound hook that gives every
// kind of control event its sound.
#include <array>
#include <memory>
#include <string>

#include "platform/sound.h"

class CDXUTControl;

constexpr int kSoundSlots = 100;

extern std::unique_ptr<CSoundManager> g_SoundManager;
extern std::array<std::unique_ptr<CSound>, kSoundSlots> g_Sounds;

// Opens the audio output and loads the effects. Without an output the game runs silent:
// the reason is logged once and kept for the preferences; a missing effect is logged and
// stays silent.
void InitSound();
// Why the game runs silent; empty while the sound output is open (or was never tried).
const std::wstring& SoundOffReason();
// Frees the effects and closes the output (tests and the end of the program).
void ShutdownSound();
// The effects volume in hundredths of a decibel: the setting x 10000 - 10000.
int SfxVolume();
// Plays the effect of a slot once (or looping) at the effects volume; an empty slot is silent.
void PlaySoundSlot(int slot, bool loop = false);
// Stops every copy of a slot's effect; the next play starts from the beginning.
void StopSoundSlot(int slot);
// The GUI sound hook: the sound of a control event, played before the dialog's callback.
void PlayControlEventSound(unsigned event, int id, CDXUTControl* control);
