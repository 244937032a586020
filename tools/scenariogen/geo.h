#pragma once
// The geography the node scripts in geo/ rasterised once: the grid, its projection and
// the per-hex layers, read from the text files of a sources folder.
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct sGrid
{
    int width = 0;
    int height = 0;
    double columnKm = 30.0;
    double rowKm = 30.0 * 98.0 / 83.0;
    double west = 0.0;
    double north = 0.0;
};

// The Lambert conformal conic projection of projection.mjs.
std::pair<double, double> Project(double lon, double lat);
// The hex that holds a point, or (-1, -1) outside the grid.
std::pair<int, int> LonLatToHex(const sGrid& grid, double lon, double lat);
// Longitude and latitude of a hex's centre.
std::pair<double, double> HexLonLat(const sGrid& grid, int x, int y);

struct sSeaZoneSource
{
    std::string code;
    std::string name;
};

struct sStrait
{
    std::string a, b;
    double lon = 0.0, lat = 0.0;
};

struct sGeography
{
    sGrid grid;
    std::vector<std::string> terrain;   // one letter a hex: . p f r s h m d
    std::vector<std::string> countries; // two letters a hex, ".." for sea
    std::vector<std::string> seaZones;  // two letters a hex, ".." for land, "LK" lakes
    std::map<std::pair<int, int>, int> rivers; // river sides by hex
    std::vector<sSeaZoneSource> zones;  // in the order of sea_zones_1939.txt
    std::vector<std::pair<std::string, std::string>> zoneLinks;
    std::vector<sStrait> straits;

    int TerrainCode(int x, int y) const;
    std::string CountryAt(int x, int y) const;
    std::string ZoneAt(int x, int y) const;
    bool IsLand(int x, int y) const { return TerrainCode(x, y) != 0; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < grid.width && y < grid.height; }
};

// Reads the geography of <folder> (grid.txt, terrain.txt, countries_1939.txt,
// seazones.txt, rivers.txt, sea_zones_1939.txt, sea_zone_links.txt). False, with the
// reason in `error`, when a file is missing or malformed.
bool ReadGeography(const std::string& folder, sGeography& geo, std::string& error);

// The lines of a text file, each without the CR of a CR LF end. False, with
// "<path>: cannot read" in `error`, when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error);
// "<path>:<line>: ", the start of an error about a line of a source file.
std::string SourceLine(const std::string& path, int line);

// The six neighbours of a hex in the game's direction order (may lie off the grid).
std::array<std::pair<int, int>, 6> Neighbours(int x, int y);
