#pragma once
// The game's sound effects in slot order: the file data/sound/<name>.wav and how many copies
// of it may sound at the same time. The sound generator writes exactly these files.
#include <string_view>

namespace sound_effects {

struct sSoundEffect {
    const char* name;
    int buffers;
};

constexpr int kEffectCount = 31;
constexpr sSoundEffect kEffects[kEffectCount] = {
    {"AirStrike", 1},          {"AirToAirCombat", 1},     {"ButtonClick", 3},          {"CheckboxChanged", 3},
    {"ComboboxChanged", 1},    {"EditboxChanged", 5},     {"EditboxString", 1},        {"InfantryMarching", 1},
    {"IntroSoundGameLogo", 1}, {"IntroSoundLogo", 1},     {"ItemClick", 3},            {"LandCombat", 3},
    {"ListboxDoubleClick", 3}, {"ListboxSelection", 3},   {"MainMenuMusicLoop", 1},    {"NuclearAttack", 1},
    {"PlaneFlying", 1},        {"RadiobuttonChanged", 3}, {"Scrolling", 1},            {"ShoreBombardment", 1},
    {"SliderChanged", 1},      {"StrategicBombardment", 1}, {"TankRolling", 1},        {"TruckDriving", 1},
    {"drum_roll", 1},          {"NavalGun", 1},           {"AirRecon", 1},             {"StrategicDeployLand", 1},
    {"Paradrop", 1},           {"Invasion", 1},           {"Buying", 1},
};

// The slot of the effect with this name, or -1.
constexpr int SlotOf(std::string_view name)
{
    for (int k = 0; k < kEffectCount; ++k)
        if (kEffects[k].name == name)
            return k;
    return -1;
}

constexpr int kMainMenuMusicLoop = SlotOf("MainMenuMusicLoop");
static_assert(kMainMenuMusicLoop == 14);
constexpr int kIntroSoundLogo = SlotOf("IntroSoundLogo");
constexpr int kIntroSoundGameLogo = SlotOf("IntroSoundGameLogo");

} // namespace sound_effects
