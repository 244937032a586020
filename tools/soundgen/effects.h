#pragma once
#include <string>
#include <vector>

#include "tools/soundgen/synth.h"

// The effect of the given slot (0 to 30, the order of sound_effects.h), normalised.
cSound MakeEffect(int slot);
// The main menu's music: a march that loops without a seam.
cSound MainMenuMusic();

// The music played on the map: file name and sound of each track of the general playlist.
struct sMusicTrack {
    std::string file;
    cSound sound;
};
std::vector<sMusicTrack> GameMusicTracks();
