#pragma once
// Commanders (commanders.csv) and the kept bytes of unit_names.csv.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Longest name a commander, a unit or a country may carry.
constexpr size_t kMaxNameLength = 99;

struct sDowodca
{
    int ID = 0;
    std::wstring Name;
    int CountryID = 0;
    int Type = 0;       // 0 land, 1 air, 2 naval
    int Skill = 0;
    int Experience = 0;
    int State = 0;      // 0 not assigned, 1 on his way to the headquarters, 2 assigned
    // No pointer to the unit he stands with: FindUnitOfCommander looks it up from the units,
    // so that nothing points at a unit that has died.
    bool operator==(const sDowodca&) const = default;
};

// Reads commanders.csv text into the vector (emptied first); rows that cannot be used
// are logged and skipped, a value that is no number or a kind or state outside its set
// refuses the load with the file (path), the line and the column.
void ReadCommanders(std::string_view text, std::vector<sDowodca*>& commanders,
                    const std::wstring& path = L"commanders.csv");
// The countries are read after the commanders: once they are in, the commanders of a country
// the game does not have are left out as any row the rules cannot use is, told and counted.
// forget is called for each before it is deleted, for whatever points at him.
void LeaveOutCommandersBeyond(int countryCount, std::vector<sDowodca*>& commanders,
                              const std::function<void(const sDowodca*)>& forget);
// The text the save writes.
std::string EncodeCommanders(const std::vector<sDowodca*>& commanders);

// Unit-type names a country keeps.
constexpr int kUnitTypeNames = 17;

// Called for each name of unit_names.csv: country id (1 to the country count), unit-type
// index (0 to 16) and the name.
using UnitNameSetter = std::function<void(int country, int typeIndex, const std::wstring& name)>;
// Reads unit_names.csv text; cells that cannot be used are logged and skipped, a unit type or
// a country of the heading that is no number refuses the load.
void ReadUnitNames(std::string_view text, int countryCount, const UnitNameSetter& setName,
                   const std::wstring& path = L"unit_names.csv");
