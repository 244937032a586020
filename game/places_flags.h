#pragma once
// PlayerDefinedPlaces.txt (the camera bookmarks) and flags.txt (the scripted-event flags).
#include <array>
#include <string>
#include <string_view>

#include "game/camera_bookmarks.h"

constexpr int kFlagCount = 40000;
using EventFlags = std::array<int, kFlagCount>;

// Reads the places; a pair off a map of the given size (0 = size unknown) leaves its slot unset.
void ReadPlayerPlaces(std::string_view text, sCameraBookmarks& places, int mapWidth, int mapHeight,
                      const std::wstring& path = L"PlayerDefinedPlaces.txt");
std::string EncodePlayerPlaces(const sCameraBookmarks& places);
// Optional file: a missing one leaves every slot unset.
void LoadPlayerPlaces(std::wstring_view pattern, sCameraBookmarks& places, int mapWidth, int mapHeight);
// A failure is logged and the save goes on.
void SavePlayerPlaces(std::wstring_view folder, const sCameraBookmarks& places);

void ReadFlags(std::string_view text, EventFlags& flags, const std::wstring& path = L"flags.txt");
std::string EncodeFlags(const EventFlags& flags);
// Mandatory: a missing file ends the program with exit code 1.
void LoadFlags(std::wstring_view pattern, EventFlags& flags);
void SaveFlags(std::wstring_view folder, const EventFlags& flags);
