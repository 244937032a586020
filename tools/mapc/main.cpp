// Compiles a map written as text into the game's map file map.qvr, through the map's own
// writer. Usage: velmorant-mapc SOURCE.txt OUTPUT_FOLDER
//
// The source, '#' starting a comment line:
//   size W H
//   terrain      then H rows of W characters: '.' sea, '1'-'7' the land terrain
//   owner        then H rows: '.' none, '1'-'9' the country id (also controller and
//                original owner, unless a line below says otherwise)
//   seazone      then H rows: '.' none, '1'-'9' the sea zone of a sea hex; a land hex
//                next to the sea takes the zone of its first sea neighbour (clockwise
//                from straight up) and is marked coastal
//   river X Y SIDES        SIDES: the digits 0-5 of the sides a river runs along
//   controller X Y ID      original X Y ID      fortification X Y LEVEL
//   mud M1 .. M12          winter W1 .. W12   monthly chances (percent) of every land hex
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "world/hex_geometry.h"
#include "world/map.h"

namespace {

struct sSource
{
    int width = 0;
    int height = 0;
    std::vector<std::string> terrain, owner, seazone;
    std::vector<std::string> lines; // the one-line statements, with their line numbers
    std::vector<int> lineNumbers;
};

bool Fail(const std::string& file, int line, const std::string& what)
{
    std::cerr << file << ":" << line << ": " << what << "\n";
    return false;
}

bool ReadSource(const std::string& file, sSource& src)
{
    std::ifstream in(file);
    if (!in)
        return Fail(file, 0, "cannot read");
    std::string line;
    int number = 0;
    std::vector<std::string>* grid = nullptr;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (grid && int(grid->size()) < src.height) {
            if (int(line.size()) != src.width)
                return Fail(file, number, "a row must have " + std::to_string(src.width) + " characters");
            grid->push_back(line);
            continue;
        }
        grid = nullptr;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "size") {
            words >> src.width >> src.height;
            if (src.width < 1 || src.height < 1 || src.width > 1000 || src.height > 1000)
                return Fail(file, number, "size must be between 1 and 1000 each way");
        } else if (word == "terrain" || word == "owner" || word == "seazone") {
            if (src.width == 0)
                return Fail(file, number, "size must come first");
            grid = word == "terrain" ? &src.terrain : word == "owner" ? &src.owner : &src.seazone;
            if (!grid->empty())
                return Fail(file, number, word + " is given twice");
        } else {
            src.lines.push_back(line);
            src.lineNumbers.push_back(number);
        }
    }
    for (auto* g : {&src.terrain, &src.owner, &src.seazone})
        if (int(g->size()) != src.height)
            return Fail(file, number, "terrain, owner and seazone need " + std::to_string(src.height) + " rows each");
    return true;
}

int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

bool Build(const std::string& file, const sSource& src, cMapa& map)
{
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            sHex& hex = *map.GetHex(x, y);
            const char t = src.terrain[size_t(y)][size_t(x)];
            if (t != '.' && (t < '1' || t > '7'))
                return Fail(file, 0, "terrain at (" + std::to_string(x) + ", " + std::to_string(y) + ") is not . or 1-7");
            hex.terrain = uint8_t(t == '.' ? 0 : Digit(t));
            const int owner = Digit(src.owner[size_t(y)][size_t(x)]);
            hex.owner = hex.controller = hex.originalOwner = uint8_t(owner);
            hex.seaZone = uint16_t(Digit(src.seazone[size_t(y)][size_t(x)]));
        }
    // Coastal land hexes take the zone of the sea beside them.
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            sHex& hex = *map.GetHex(x, y);
            if (hex.IsSea())
                continue;
            for (int d = 0; d < 6; ++d) {
                const sHex* n = map.GetNeighbour(x, y, d);
                if (n && n->IsSea()) {
                    hex.coastal = 1;
                    if (hex.seaZone == 0)
                        hex.seaZone = n->seaZone;
                }
            }
        }
    for (size_t k = 0; k < src.lines.size(); ++k) {
        std::istringstream words(src.lines[k]);
        const int number = src.lineNumbers[k];
        std::string word;
        words >> word;
        if (word == "mud" || word == "winter") {
            int chance[12];
            for (int& c : chance)
                if (!(words >> c) || c < 0 || c > 100)
                    return Fail(file, number, word + " needs 12 chances from 0 to 100");
            for (sHex& hex : map.Hexes())
                if (hex.IsLand())
                    for (int m = 0; m < 12; ++m)
                        (word == "mud" ? hex.mudChance : hex.winterChance)[m] = uint8_t(chance[m]);
            continue;
        }
        int x = -1, y = -1;
        if (!(words >> x >> y) || !map.IsInside(x, y))
            return Fail(file, number, word + " needs a hex of the map");
        sHex& hex = *map.GetHex(x, y);
        if (word == "river") {
            std::string sides;
            words >> sides;
            for (char c : sides) {
                if (c < '0' || c > '5')
                    return Fail(file, number, "river sides are the digits 0-5");
                hex.riverMask |= uint8_t(1u << (c - '0'));
            }
        } else if (word == "controller" || word == "original" || word == "fortification") {
            int value = -1;
            if (!(words >> value) || value < 0 || value > 255)
                return Fail(file, number, word + " needs a value from 0 to 255");
            if (word == "controller")
                hex.controller = uint8_t(value);
            else if (word == "original")
                hex.originalOwner = uint8_t(value);
            else
                hex.fortification = uint8_t(value);
        } else {
            return Fail(file, number, "unknown statement " + word);
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velmorant-mapc SOURCE.txt OUTPUT_FOLDER\n";
        return 2;
    }
    sSource src;
    if (!ReadSource(argv[1], src))
        return 1;
    cMapa map(src.width, src.height);
    if (!Build(argv[1], src, map))
        return 1;
    map.Save(Utf8ToWide(argv[2]), nullptr);
    std::ifstream check(std::string(argv[2]) + "/map.qvr");
    if (!check) {
        std::cerr << argv[2] << "/map.qvr: cannot write\n";
        return 1;
    }
    return 0;
}
