#pragma once
#include "tools/soundgen/synth.h"

// The effect of the given slot (0 to 30, the order of sound_effects.h), normalised.
cSound MakeEffect(int slot);
// The main menu's music: a march that loops without a seam.
cSound MainMenuMusic();
