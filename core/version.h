#pragma once
// The program's name and version, as the log and the window title show them.
#include <cmath>

constexpr const wchar_t* kGameName = L"Velmorant";
constexpr float kGameVersion = 1.03f;
// Build number; a multiple of 100 leaves it out of the window title.
constexpr int kGameBuild = 400;
// Saves have kept one format since the first version that wrote them, 0.10.
constexpr float kOldestSaveVersion = 0.10f;

// Whether a save that carries this version loads (compared in hundredths, as it is written).
inline bool IsSaveVersionSupported(float saveVersion)
{
    return std::lround(saveVersion * 100.0f) >= std::lround(kOldestSaveVersion * 100.0f);
}
