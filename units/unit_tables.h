#pragma once
// The unit tables of a scenario or saved game: land_units.csv, air_units.csv,
// fleets.csv and naval_units.csv, their readers, writers and the passes that put the
// units read into place once every table is loaded.
#include <list>
#include <string>
#include <string_view>

#include "units/unit_fwd.h"

class cFlota;

// Readers. The pattern is the folder being loaded with "%s" for the file name. A missing
// file, and rows that would lose or misplace a unit (coordinates off the map, a type of
// the wrong family), end the program with exit code 1 after a log line that names the
// file and the line. The lists are emptied (and their units destroyed) first.
void LoadLandUnits(const std::wstring& folderPattern, std::list<cJednostkaLadowa*>& units);
void LoadAirUnits(const std::wstring& folderPattern, std::list<cJednostkaLotnicza*>& units);
void LoadFleets(const std::wstring& folderPattern, std::list<cFlota*>& fleets);
void LoadNavalUnits(const std::wstring& folderPattern, std::list<cJednostkaMorska*>& units);

// The file contents the writers produce (UTF-8, CR LF between lines, no final line end).
std::string EncodeLandUnits();
std::string EncodeAirUnits();
std::string EncodeFleets();
std::string EncodeNavalUnits();

// Writers: "<folder>\land_units.csv" and so on. A file that cannot be written ends the
// program with exit code 1.
void SaveLandUnits(std::wstring_view folder);
void SaveAirUnits(std::wstring_view folder);
void SaveFleets(std::wstring_view folder);
void SaveNavalUnits(std::wstring_view folder);

// Passes of game creation, in this order after the readers:
// the land and then the air units not in the reserve and not bound for a ship take their
// hexes; a hex that is already taken ends the program with exit code 1 after the list.
void PlaceLandUnits();
void PlaceAirUnits();
// Ships marked in reserve move to the naval reserve.
void MoveShipsToNavalReserve();
// Every ship on the map joins the fleet of its fleet id; one without is a load error.
void LinkShipsToFleets();
// Land units marked with a ship id go aboard that ship; an id that names no ship, a
// ship that cannot carry, or two units for one ship is a load error.
void LoadMarkedLandUnitsIntoFleets();
// Land and air units marked in reserve move to the reserve pool, fully supplied.
void MoveUnitsToReserve();
// Every unit pass above, in order (what the game's post-load calls).
void RunUnitLoadPasses();

// A ship in the naval-unit list without a fleet could not be read back: each such ship
// goes to the naval reserve with a log line. Run by the naval-unit writer.
void SendFleetlessShipsToReserve();

// Surrender: destroys a country's units in the reserve pool and in the naval reserve.
void DeleteReserveUnitsOfCountry(int countryId);
void DeleteNavalReserveUnitsOfCountry(int countryId);

// Destroys every unit and fleet of the game's lists (teardown and reloads).
void DestroyAllUnits();
