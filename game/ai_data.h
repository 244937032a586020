#pragma once
// ai_data.csv: the computer opponent's parameters of every country.
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "game/ai_params.h"

// What the reader and the writer need of the world.
struct sAIDataWorld
{
    int countryCount = 0;
    // The block of the country with that id (1 to countryCount).
    std::function<sAIParameters&(int countryId)> parameters;
    // The city on the hex, or null (also for a hex off the map).
    std::function<cMiasto*(int x, int y)> cityAt;
    // Kinds 2 and 3 are ports.
    std::function<bool(const cMiasto*)> isPort;
    // The hex a city stands on.
    std::function<std::pair<int, int>(const cMiasto*)> cityHex;
};

// Reads the file's text into the blocks. A variable name that matches none, a pair of
// coordinates without a city, or a sea-invasion target that is not a port ends the
// program with exit code 1, and so does a value that is no number (with its line and column);
// lines that name no country are logged and skipped.
void ReadAIData(std::string_view text, const sAIDataWorld& world, const std::wstring& path = L"ai_data.csv");
// The text the save writes.
std::string EncodeAIData(const sAIDataWorld& world);
