// A hostile value in each column of each file the game loads: refused naming the file, the
// line and the column, or kept within what the rules can play with a warning naming them.
#include <gtest/gtest.h>

#include <cstring>

#include "core/fatal.h"
#include "core/text.h"
#include "game/air_tables.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/presentation.h"
#include "platform/paths.h"
#include "tests/game/hostile_values.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"

namespace {

using hostile::eFolder;
using hostile::ExpectEachTold;

TEST(HostileValues, CountriesCsv)
{
    constexpr const char* kBorussia = "2;1;Borussia;";
    ExpectEachTold(eFolder::kScenario, "countries.csv",
                   {
                       {kBorussia, 1, "two", true, L"ID): \"two\" is not a whole number"},
                       {kBorussia, 2, "2", true, L"IsActive?): 2 is neither 0 nor 1"},
                       {kBorussia, 4, "FF40404G", true, L"Color1): \"FF40404G\" is not a number of up to 8 hexadecimal digits"},
                       {kBorussia, 5, "", true, L"Color2): \"\" is not a number of up to 8 hexadecimal digits"},
                       {kBorussia, 6, "1FF808080", true, L"Color3): \"1FF808080\" is not a number of up to 8 hexadecimal digits"},
                       {kBorussia, 7, "-1", true, L"Color4): \"-1\" is not a number of up to 8 hexadecimal digits"},
                       {kBorussia, 8, "99", true, L"Alliance): 99 is outside 0 to 6"},
                       {kBorussia, 9, "-1", true, L"Orientation): -1 is outside 0 to 5"},
                       {kBorussia, 10, "1/3", true, L"Zone of Influence): \"1/3\" is not a whole number"},
                       {kBorussia, 11, "101", false, L"Alliance entry): 101 is outside 0 to 100; taken as 100"},
                       {kBorussia, 12, "1e9", true, L"Polit. Str.): \"1e9\" is not a whole number"},
                       {kBorussia, 12, "2000000", false, L"Polit. Str.): 2000000 is outside -1000000 to 1000000; taken as 1000000"},
                       {kBorussia, 13, "-1", true, L"Finished turn?): -1 is neither 0 nor 1"},
                       {kBorussia, 14, "yes", true, L"Human controlled?): \"yes\" is not a whole number"},
                       {kBorussia, 15, "101", false, L"technology level 1, Artillery): 101 is outside 0 to 100; taken as 100"},
                       {kBorussia, 16, "nan", true, L"technology level 2, Tanks): \"nan\" is not a whole number"},
                       {kBorussia, 17, "-1", false, L"technology level 3, Land warfer doctrine (0-5)): -1 is outside 0 to 100; taken as 0"},
                       {kBorussia, 18, "3.5", true, L"technology level 4, Aircraft): \"3.5\" is not a whole number"},
                       {kBorussia, 19, "", true, L"technology level 5, Subs): \"\" is not a whole number"},
                       {kBorussia, 20, "2147483648", false, L"technology level 6, Navy): 2147483648 is outside 0 to 100; taken as 100"},
                       {kBorussia, 21, "x", true, L"technology level 7, Nukes): \"x\" is not a whole number"},
                       {kBorussia, 22, "abc", true, L"PPs): \"abc\" is not a number"},
                       {kBorussia, 22, "nan", true, L"PPs): \"nan\" is not a number"},
                       {kBorussia, 22, "inf", false, L"PPs): inf is outside -1000000000 to 1000000000; taken as 1000000000"},
                       {kBorussia, 23, "12abc", true, L"DPs): \"12abc\" is not a whole number"},
                       {kBorussia, 24, "-9999999", false, L"SMPs): -9999999 is outside -1000000 to 1000000; taken as -1000000"},
                       {kBorussia, 25, "four", true, L"STPs): \"four\" is not a whole number"},
                       {kBorussia, 26, "0x2", true, L"AIPs): \"0x2\" is not a whole number"},
                       {kBorussia, 27, "1.5", true, L"SMP): \"1.5\" is not a whole number"},
                       {kBorussia, 28, "2147483647", false, L"STP used by convoys): 2147483647 is outside -1000000 to 1000000; taken as 1000000"},
                       {kBorussia, 29, "", true, L"AIP): \"\" is not a whole number"},
                       {kBorussia, 30, "4", false, L"technology investment 1, Artillery): 4 is outside 0 to 3; taken as 3"},
                       {kBorussia, 31, "a", true, L"technology investment 2, Tanks): \"a\" is not a whole number"},
                       {kBorussia, 32, "-1", false, L"technology investment 4, Aircraft): -1 is outside 0 to 3; taken as 0"},
                       {kBorussia, 33, "1e2", true, L"technology investment 5, Subs): \"1e2\" is not a whole number"},
                       {kBorussia, 34, "9", false, L"technology investment 6, Navy): 9 is outside 0 to 3; taken as 3"},
                       {kBorussia, 35, "-", true, L"technology investment 7, Nukes): \"-\" is not a whole number"},
                       {kBorussia, 36, "-5", false, L"research progress 1, Artillery): -5 is outside 0 to 1000000; taken as 0"},
                       {kBorussia, 37, "?", true, L"research progress 2, Tanks): \"?\" is not a whole number"},
                       {kBorussia, 38, "9999999", false, L"research progress 4, Aircraft): 9999999 is outside 0 to 1000000; taken as 1000000"},
                       {kBorussia, 39, "nan", true, L"research progress 5, Subs): \"nan\" is not a whole number"},
                       {kBorussia, 40, "-1", false, L"research progress 6, Navy): -1 is outside 0 to 1000000; taken as 0"},
                       {kBorussia, 41, "1,5", true, L"research progress 7, Nukes): \"1,5\" is not a whole number"},
                       {kBorussia, 42, "2000001", true, L"X): 2000001 is outside -1000000 to 1000000"},
                       {kBorussia, 43, "y", true, L"Y): \"y\" is not a whole number"},
                       {kBorussia, 44, "2", true, L"DoneDelayWarEntry): 2 is neither 0 nor 1"},
                       {kBorussia, 45, "true", true, L"DoneHasteWarEntry): \"true\" is not a whole number"},
                       {kBorussia, 46, "-1", true, L"DoneParliamentaryElections): -1 is neither 0 nor 1"},
                       {kBorussia, 47, "", true, L"DoneTurnInOrientation): \"\" is not a whole number"},
                       {kBorussia, 48, "250", false, L"Social unrest): 250 is outside 0 to 100; taken as 100"},
                       {kBorussia, 48, "nan", true, L"Social unrest): \"nan\" is not a number"},
                       {kBorussia, 49, "lots", true, L"WarEconomy(%)): \"lots\" is not a number"},
                       {kBorussia, 50, "4", true, L"Power): 4 is outside 1 to 3"},
                       {kBorussia, 51, "0", true, L"Region): 0 is outside 1 to 5"},
                       {kBorussia, 52, "5", true, L"Difficulty level): 5 is outside 0 to 4"},
                       {kBorussia, 53, "-3", true, L"Nuclear bombs): -3 is outside 0 to 1000000"},
                       {kBorussia, 54, "3.0", true, L"DP growth per month): \"3.0\" is not a whole number"},
                       {kBorussia, 55, "-2147483648", false, L"months to doctrine level 1): -2147483648 is outside -1000000 to 1000000; taken as -1000000"},
                       {kBorussia, 56, "x10", true, L"months to doctrine level 2): \"x10\" is not a whole number"},
                       {kBorussia, 57, "", true, L"months to doctrine level 3): \"\" is not a whole number"},
                       {kBorussia, 58, "22 months", true, L"months to doctrine level 4): \"22 months\" is not a whole number"},
                       {kBorussia, 59, "2e1", true, L"months to doctrine level 5): \"2e1\" is not a whole number"},
                       {kBorussia, 60, "5", true, L"DoneExertPressureAxis): 5 is neither 0 nor 1"},
                       {kBorussia, 61, "no", true, L"DoneExertPressureAllied): \"no\" is not a whole number"},
                       {kBorussia, 62, "-1", true, L"DoneExertPressureComintern): -1 is neither 0 nor 1"},
                       {kBorussia, 63, "9", true, L"PBEM Player ID): 9 is outside 0 to 8"},
                       {kBorussia, 64, "1.0.0", true, L"Unit upkeep cost modifier): \"1.0.0\" is not a number"},
                       {kBorussia, 65, "-1e9", false, L"Winter battle): -1000000000 is outside -1000000 to 1000000; taken as -1000000"},
                       {kBorussia, 66, "", true, L"Winter move): \"\" is not a number"},
                       {kBorussia, 67, "NaN", true, L"Mud battle): \"NaN\" is not a number"},
                       {kBorussia, 68, "20%", true, L"Mud move): \"20%\" is not a number"},
                       {kBorussia, 69, "2", true, L"Country type special flags): 2 is neither 0 nor 1"},
                   });
    // The columns a save adds, and the report of a player: a save whose Germany was edited by
    // hand to an alliance of 99 and production of "abc" is refused, not played as production 0.
    ExpectEachTold(eFolder::kSave, "countries.csv",
                   {
                       {kBorussia, 71, "-1", true, L"Bought SMP): -1 is outside 0 to 1000000"},
                       {kBorussia, 72, "1/2", true, L"Bought AIP): \"1/2\" is not a whole number"},
                       {kBorussia, 8, "99", true, L"Alliance): 99 is outside 0 to 6"},
                       {kBorussia, 22, "abc", true, L"PPs): \"abc\" is not a number"},
                   });
}

TEST(HostileValues, LandUnitsCsv)
{
    constexpr const char* kGuards = "1;1st Guards;";
    // In the reserve, off the map and aboard no ship.
    constexpr const char* kArmour = "3;Albion Armour;";
    const std::vector<hostile::sHostileValue> values = {
        {kGuards, 1, "x", true, L"ID of a land unit): \"x\" is not a whole number"},
        {kGuards, 3, "0", true, L"Country ID of land unit ID=1): 0 is outside 1 to 255"},
        {kGuards, 4, "20", true, L"Hex X): 20 is outside -1 to 19"},
        {kGuards, 5, "-1", true, L"Hex Y): (2, -1) is neither a hex of the map nor (-1, -1)"},
        {kGuards, 6, "7", true, L"Type): 7 is none of 0, 1, 2, 3, 4, 5, 6, 60"},
        {kGuards, 7, "lvl", true, L"level of unit ID=1): \"lvl\" is not a whole number"},
        {kGuards, 8, "101", false, L"strength of unit ID=1): 101 is outside 1 to 100; taken as 100"},
        {kGuards, 9, "3.5", true, L"action points of unit ID=1): \"3.5\" is not a whole number"},
        {kGuards, 10, "2", true, L"Attacked): 2 is neither 0 nor 1"},
        {kGuards, 11, "", true, L"Was attacked): \"\" is not a whole number"},
        {kGuards, 12, "99", true, L"Supply source X): 99 is outside -1 to 19"},
        {kGuards, 13, "-2", true, L"Supply source Y): -2 is outside -1 to 15"},
        {kGuards, 14, "2000000", false,
         L"starting action points of unit ID=1): 2000000 is outside -1000000 to 1000000; taken as 1000000"},
        {kGuards, 15, "-2", true, L"TransporterID): -2 is outside -1 to 99999999"},
        {kGuards, 16, "none", true, L"CommanderID): \"none\" is not a whole number"},
        {kGuards, 17, "3", true, L"InReserve): 3 is neither 0 nor 1"},
        {kGuards, 18, "nan", true, L"ShoreBombEffect of unit ID=1): \"nan\" is not a number"},
        {kGuards, 19, "-5", false, L"freeze time of unit ID=1): -5 is outside 0 to 1000000; taken as 0"},
        {kGuards, 20, "16", true, L"AI - order): 16 is outside -1 to 15"},
        {kGuards, 21, "20", true, L"AI - targetX): 20 is outside -1 to 19"},
        {kGuards, 22, "16", true, L"AI - targetY): 16 is outside -1 to 15"},
        {kGuards, 23, "x", true, L"AI- ultimate target X): \"x\" is not a whole number"},
        {kGuards, 24, "-7", true, L"AI - ultimate targetY): -7 is outside -1 to 15"},
        {kGuards, 25, "2000000", false, L"supply of unit ID=1): 2000000 is outside -1 to 1000000; taken as 1000000"},
        {kGuards, 26, "2000", false, L"EventsEffect of unit ID=1): 2000 is outside -100 to 1000; taken as 1000"},
        {kGuards, 27, "-1", false, L"turns from last paradrop of unit ID=1): -1 is outside 0 to 1000000; taken as 0"},
        {kGuards, 28, "-2147483648", true, L"mulberry remaining time (months)): -2147483648 is outside -1 to 10000"},
        {kGuards, 29, "1e3", true, L"turns without supply of unit ID=1): \"1e3\" is not a whole number"},
        {kGuards, 30, "-1", false, L"trench bonus of unit ID=1): -1 is outside 0 to 1000; taken as 0"},
        {kGuards, 31, "21", true, L"Last X): 21 is outside -1 to 19"},
        {kGuards, 32, "", true, L"Last Y): \"\" is not a whole number"},
        {kGuards, 33, "-1", false, L"available in turns of unit ID=1): -1 is outside 0 to 1000000; taken as 0"},
        // A Mulberry in the reserve and aboard no ship would stand nowhere; one on the map marked
        // as in the reserve is not in it.
        {kArmour, 6, "60", true, L"TransporterID): -1, but Mulberry ID=3 is off the map: it would stand nowhere", 0,
         nullptr, 15},
        {kGuards, 6, "60", false, L"InReserve): a Mulberry is never in the reserve; ID=1 is not", 17, "1", 17},
    };
    ExpectEachTold(eFolder::kScenario, "land_units.csv", values);
    // The columns a save adds.
    ExpectEachTold(eFolder::kSave, "land_units.csv",
                   {
                       {kGuards, 34, "-2", false,
                        L"commanding commander of unit ID=1): -2 is outside -1 to 99999999; taken as -1"},
                       {kGuards, 35, "0", false, L"efficiency of unit ID=1): 0 is outside 1 to 1000000; taken as 1"},
                       {kGuards, 36, "2", true, L"Spotted): 2 is neither 0 nor 1"},
                   });
}

TEST(HostileValues, AirUnitsCsv)
{
    constexpr const char* kFighters = "1;Fighter Command;";
    ExpectEachTold(eFolder::kScenario, "air_units.csv",
                   {
                       {kFighters, 1, "-1", true, L"ID of an air unit): -1 is outside 0 to 99999999"},
                       {kFighters, 3, "256", true, L"Country ID of air unit ID=1): 256 is outside 1 to 255"},
                       {kFighters, 4, "one", true, L"Hex X): \"one\" is not a whole number"},
                       {kFighters, 5, "16", true, L"Hex Y): 16 is outside -1 to 15"},
                       {kFighters, 6, "23", true, L"Type): 23 is none of 20, 21, 22"},
                       {kFighters, 7, "0", false, L"level of unit ID=1): 0 is outside 1 to 1000; taken as 1"},
                       {kFighters, 8, "", true, L"strength of unit ID=1): \"\" is not a whole number"},
                       {kFighters, 9, "-9", true, L"Commander ID): -9 is outside -1 to 99999999"},
                       {kFighters, 10, "7", true, L"Attacked): 7 is neither 0 nor 1"},
                       {kFighters, 11, "x", true, L"Was attacked): \"x\" is not a whole number"},
                       {kFighters, 12, "20", true, L"Supply source X): 20 is outside -1 to 19"},
                       {kFighters, 13, "2.0", true, L"Supply source Y): \"2.0\" is not a whole number"},
                       {kFighters, 14, "ap", true, L"action points of unit ID=1): \"ap\" is not a whole number"},
                       {kFighters, 15, "-2000000", false,
                        L"starting action points of unit ID=1): -2000000 is outside -1000000 to 1000000; taken as -1000000"},
                       {kFighters, 16, "2", true, L"In reserve): 2 is neither 0 nor 1"},
                       {kFighters, 17, "-5", false, L"supply of unit ID=1): -5 is outside -1 to 1000000; taken as -1"},
                       {kFighters, 18, "-1", true, L"Air recon done?): -1 is neither 0 nor 1"},
                       {kFighters, 19, "soon", true, L"available in turns of unit ID=1): \"soon\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "air_units.csv",
                   {
                       {kFighters, 20, "x", true, L"commanding commander of unit ID=1): \"x\" is not a whole number"},
                       {kFighters, 21, "9", true, L"Spotted): 9 is neither 0 nor 1"},
                   });
}

TEST(HostileValues, FleetsCsv)
{
    constexpr const char* kHomeFleet = "1;Home Fleet;";
    ExpectEachTold(eFolder::kScenario, "fleets.csv",
                   {
                       {kHomeFleet, 1, "1.0", true, L"ID of a fleet): \"1.0\" is not a whole number"},
                       {kHomeFleet, 3, "", true, L"Country ID of fleet ID=1): \"\" is not a whole number"},
                       {kHomeFleet, 4, "0", true, L"Sea node ID): 0 is outside 1 to 99999999"},
                       {kHomeFleet, 5, "raiders", true, L"Formation): \"raiders\" is not a whole number"},
                       {kHomeFleet, 6, "yes", true, L"Has Moved?): \"yes\" is not a whole number"},
                       {kHomeFleet, 7, "6", true, L"Order (AI)): 6 is outside -1 to 5"},
                       {kHomeFleet, 8, "-3", true, L"Destination sea node ID (AI)): -3 is outside -1 to 99999999"},
                       {kHomeFleet, 9, "100", true, L"Invasion hex X(AI)): 100 is outside -1 to 19"},
                       {kHomeFleet, 10, "y", true, L"Invasion hex Y (AI)): \"y\" is not a whole number"},
                       {kHomeFleet, 11, "-1", true, L"Is active?): -1 is neither 0 nor 1"},
                   });
}

TEST(HostileValues, NavalUnitsCsv)
{
    constexpr const char* kArkRoyal = "1;HMS Ark Royal;";
    ExpectEachTold(eFolder::kScenario, "naval_units.csv",
                   {
                       {kArkRoyal, 1, "", true, L"ID of a naval unit): \"\" is not a whole number"},
                       {kArkRoyal, 3, "-1", true, L"Country ID of naval unit ID=1): -1 is outside 1 to 255"},
                       {kArkRoyal, 4, "46", true, L"Type): 46 is none of 40, 41, 42, 43, 44, 45"},
                       {kArkRoyal, 5, "x", true, L"Fleet ID): \"x\" is not a whole number"},
                       {kArkRoyal, 6, "-1", false, L"hit points of unit ID=1): -1 is outside 0 to 5; taken as 0"},
                       {kArkRoyal, 7, "5.5", true, L"maximum hit points of unit ID=1): \"5.5\" is not a whole number"},
                       {kArkRoyal, 8, "-2", true, L"Commander ID): -2 is outside -1 to 99999999"},
                       {kArkRoyal, 9, "2", true, L"In reserve): 2 is neither 0 nor 1"},
                       {kArkRoyal, 10, "", true, L"Shore bombardment done?): \"\" is not a whole number"},
                       {kArkRoyal, 11, "1x", true, L"Airstrike done?): \"1x\" is not a whole number"},
                       {kArkRoyal, 12, "-4", false, L"available in turns of unit ID=1): -4 is outside 0 to 1000000; taken as 0"},
                       {kArkRoyal, 13, "3", true, L"Recon done?): 3 is neither 0 nor 1"},
                       {kArkRoyal, 14, "t", true, L"Can be repaired?): \"t\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "naval_units.csv",
                   {
                       {kArkRoyal, 15, "1e1", true, L"commanding commander of unit ID=1): \"1e1\" is not a whole number"},
                       {kArkRoyal, 16, "-1", true, L"Spotted): -1 is neither 0 nor 1"},
                   });
}

TEST(HostileValues, CitiesCsv)
{
    constexpr const char* kLondinium = "Londinium;";
    ExpectEachTold(eFolder::kScenario, "cities.csv",
                   {
                       {kLondinium, 2, "2.5", true, L"Hex X): \"2.5\" is not a whole number"},
                       {kLondinium, 3, "", true, L"Hex Y): \"\" is not a whole number"},
                       {kLondinium, 4, "5", true, L"Type): 5 is outside 0 to 4"},
                       {kLondinium, 5, "ten", true, L"Victory points): \"ten\" is not a whole number"},
                       {kLondinium, 6, "1e7", false, L"Production points): 10000000 is outside -1000000 to 1000000; taken as 1000000"},
                       {kLondinium, 7, "-1", false, L"Supply): -1 is outside 0 to 1000000; taken as 0"},
                       {kLondinium, 8, "0x10", true, L"Production points lost): \"0x10\" is not a whole number"},
                   });
}

TEST(HostileValues, CommandersCsv)
{
    constexpr const char* kMontgomery = "1;Montgomery;";
    ExpectEachTold(eFolder::kScenario, "commanders.csv",
                   {
                       {kMontgomery, 1, "-1", true, L"ID): -1 is outside 0 to 99999999"},
                       {kMontgomery, 3, "UK", true, L"Country ID): \"UK\" is not a whole number"},
                       // An empty field before a value: the refusal names the column it stands in.
                       {kMontgomery, 3, ";UK", true, L"Country ID): \"UK\" is not a whole number", 0, nullptr, 4},
                       {kMontgomery, 4, "3", true, L"Type [0=land 1=air 2=naval]): 3 is outside 0 to 2"},
                       {kMontgomery, 5, "101", false, L"Skill): 101 is outside 0 to 100; taken as 100"},
                       {kMontgomery, 6, "2.5", true, L"Experience): \"2.5\" is not a whole number"},
                       {kMontgomery, 7, "-1", true,
                        L"State [0=not assigned 1=on his way to HQ 2=assigned]): -1 is outside 0 to 2"},
                   });
}

TEST(HostileValues, UnitNamesCsv)
{
    ExpectEachTold(eFolder::kScenario, "unit_names.csv",
                   {
                       {"1;Infantry;", 1, "one", true, L"Type): \"one\" is not a whole number"},
                       {"Type;Default;", 4, "Borussia", true, L"country ID): \"Borussia\" is not a whole number"},
                   });
}

TEST(HostileValues, RelationsAndLossesCsv)
{
    ExpectEachTold(eFolder::kScenario, "relations.csv",
                   {
                       {"2;Borussia;", 1, "II", true, L"Country ID): \"II\" is not a whole number"},
                       {"2;Borussia;", 3, "2", true, L"war of country 2 with country 1): 2 is neither 0 nor 1"},
                       {"2;Borussia;", 3, ";2", true, L"war of country 2 with country 1): 2 is neither 0 nor 1", 0, nullptr, 4},
                       {"2;Borussia;", 7, "war", true, L"war of country 2 with country 5): \"war\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kScenario, "losses.csv",
                   {
                       {"1;Albion;", 1, "1st", true, L"Country ID): \"1st\" is not a whole number"},
                       {"1;Albion;", 4, "nan", true, L"losses of country 1 to country 2): \"nan\" is not a number"},
                       {"1;Albion;", 3, "-1", false, L"losses of country 1 to country 1): -1 is outside 0 to 1000000000; taken as 0"},
                   });
}

TEST(HostileValues, SeaNodesAndEdgesCsv)
{
    constexpr const char* kChannel = "2;Channel;";
    ExpectEachTold(eFolder::kScenario, "sea_nodes.csv",
                   {
                       {kChannel, 1, "two", true, L"ID): \"two\" is not a whole number"},
                       {kChannel, 3, "11", false, L"Size max (0-sea / 1 to 9-port)): 11 is outside 0 to 10; taken as 10"},
                       {kChannel, 4, "x", true, L"Size current): \"x\" is not a whole number"},
                       {kChannel, 5, "5.5", true, L"Hex X (city hex X for ports)): \"5.5\" is not a whole number"},
                       {kChannel, 6, "", true, L"Hex Y (city hex Y for ports)): \"\" is not a whole number"},
                       {kChannel, 7, "five", true, L"Player unit hex X): \"five\" is not a whole number"},
                       {kChannel, 8, "-", true, L"Player unit hex Y): \"-\" is not a whole number"},
                       {kChannel, 9, "6a", true, L"Enemy unit hex X): \"6a\" is not a whole number"},
                       {kChannel, 10, "nan", true, L"Enemy unit hex Y): \"nan\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "sea_nodes.csv",
                   {
                       {kChannel, 11, "-1", false, L"own ships 1): -1 is outside 0 to 100000; taken as 0"},
                       {kChannel, 18, "many", true, L"allied ships 2): \"many\" is not a whole number"},
                       {kChannel, 28, "100001", false, L"enemy ships 6): 100001 is outside 0 to 100000; taken as 100000"},
                       {kChannel, 29, "2", true, L"Kind): 2 is outside 0 to 1"},
                       {kChannel, 30, "-2", true, L"Own ship shown (ID, -1 none)): -2 is outside -1 to 2147483647"},
                       {kChannel, 31, "z", true, L"Enemy ship shown (ID, -1 none)): \"z\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kScenario, "sea_edges.csv",
                   {
                       {"2;3;6;6", 1, "b", true, L"From sea node ID): \"b\" is not a whole number"},
                       {"2;3;6;6", 2, "3.0", true, L"To sea node ID): \"3.0\" is not a whole number"},
                       {"2;3;6;6", 3, "six", true, L"Controlling hex X (-1 = free)): \"six\" is not a whole number"},
                       {"2;3;6;6", 3, ";six", true, L"Controlling hex X (-1 = free)): \"six\" is not a whole number", 0,
                        nullptr, 4},
                       {"2;3;6;6", 4, "6y", true, L"Controlling hex Y): \"6y\" is not a whole number"},
                   });
}

TEST(HostileValues, CitiesDiagramAndConvoysCsv)
{
    constexpr const char* kDoverToValdo = "3;3;7;6;1";
    ExpectEachTold(eFolder::kScenario, "cities_diagram.csv",
                   {
                       {kDoverToValdo, 1, "x", true, L"From hex X): \"x\" is not a whole number"},
                       {kDoverToValdo, 2, "3.0", true, L"From hex Y): \"3.0\" is not a whole number"},
                       {kDoverToValdo, 3, "seven", true, L"To hex X): \"seven\" is not a whole number"},
                       {kDoverToValdo, 3, ";seven", true, L"To hex X): \"seven\" is not a whole number", 0, nullptr, 4},
                       {kDoverToValdo, 4, "6'", true, L"To hex Y): \"6'\" is not a whole number"},
                       {kDoverToValdo, 5, "sea", true, L"Link [0=land 1=sea]): \"sea\" is not a whole number"},
                   });
    constexpr const char* kConvoy = "2;1;1;3;6;4;";
    ExpectEachTold(eFolder::kScenario, "convoys.csv",
                   {
                       {kConvoy, 1, "2nd", true, L"ID): \"2nd\" is not a whole number"},
                       {kConvoy, 2, "Albion", true, L"Owner ID): \"Albion\" is not a whole number"},
                       {kConvoy, 3, "PP", true, L"Type [0=supplies 1=PP]): \"PP\" is not a whole number"},
                       {kConvoy, 3, ";PP", true, L"Type [0=supplies 1=PP]): \"PP\" is not a whole number", 0, nullptr, 4},
                       {kConvoy, 4, "3.5", true, L"Value (PP amount)): \"3.5\" is not a whole number"},
                       {kConvoy, 5, "six", true, L"Departure port ID): \"six\" is not a whole number"},
                       {kConvoy, 6, "1e0", true, L"Destination port ID): \"1e0\" is not a whole number"},
                   });
}

TEST(HostileValues, AirReconAndAirshipAttacksCsv)
{
    ExpectEachTold(eFolder::kScenario, "airrecon_units.csv",
                   {
                       {"Country;1;", 2, "A", true, L"Country): \"A\" is not a whole number"},
                       {"9;5;", 1, "nine", true, L"Hex X): \"nine\" is not a whole number"},
                       {"9;5;", 2, "5.0", true, L"Hex Y): \"5.0\" is not a whole number"},
                   });
    // UTF-16 text, read line by line: the country of a report is a whole number.
    try {
        DecodeAirshipAttacks(Utf16ToLEBytes(u"#Defender country ID;report\n1x;a report;"), 6);
        ADD_FAILURE() << "country 1x was read";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, L"airship_attacks.csv, line 2, column 1 (Defender country ID): \"1x\" is not a whole number");
    }
}

TEST(HostileValues, PlacesFlagsAndAIDataFiles)
{
    ExpectEachTold(eFolder::kScenario, "PlayerDefinedPlaces.txt",
                   {
                       {"2;2", 1, "two", false, L"hexX): \"two\" is not a whole number; the place is left unset"},
                       {"11;3", 2, "3y", false, L"hexY): \"3y\" is not a whole number; the place is left unset"},
                   });
    ExpectEachTold(eFolder::kScenario, "flags.txt",
                   {
                       {"2;5", 1, "x", true, L"flag no): \"x\" is not a whole number"},
                       {"2;5", 2, "five", true, L"flag value): \"five\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kScenario, "ai_data.csv",
                   {
                       {"Country;1", 2, "one", true, L"Country): \"one\" is not a whole number"},
                       {"CurrentTargets;11;3;1", 3, "3.5", true, L"CurrentTargets, value 2): \"3.5\" is not a whole number"},
                       {"CurrentTargets;11;3;1", 3, ";3.5", true, L"CurrentTargets, value 2): \"3.5\" is not a whole number",
                        0, nullptr, 4},
                       {"MaxSafeMoveCost;6", 2, "six", true, L"MaxSafeMoveCost, value 1): \"six\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "ai_data.csv",
                   {
                       {"MinRatioToPatchFront;", 2, "nan", true, L"MinRatioToPatchFront, value 1): \"nan\" is not a number"},
                       {"ShoreBombardmentSingleUse;", 3, "1e7", false,
                        L"ShoreBombardmentSingleUse, value 2): 10000000 is outside -1000000 to 1000000; taken as 1000000"},
                       {"NewUnitPurchaseData;", 3, "x", true, L"NewUnitPurchaseData, value 2): \"x\" is not a number"},
                   });
}

TEST(HostileValues, TheTablesOnlyASaveHolds)
{
    ExpectEachTold(eFolder::kSave, "topography.csv",
                   {
                       {"Country;1;", 2, "x", true, L"Country): \"x\" is not a whole number"},
                       {"City;2;2;", 2, "two", true, L"City hex X): \"two\" is not a whole number"},
                       {"City;2;2;", 2, ";two", true, L"City hex X): \"two\" is not a whole number", 0, nullptr, 3},
                       {"City;2;2;", 3, "y2", true, L"City hex Y): \"y2\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "cities_supply_info.csv",
                   {
                       {"2;2;", 1, "x", true, L"Hex X): \"x\" is not a whole number"},
                       {"2;2;", 3, "lots", true, L"supply for country 1): \"lots\" is not a whole number"},
                       {"2;2;", 3, ";lots", true, L"supply for country 1): \"lots\" is not a whole number", 0, nullptr, 4},
                       {"2;2;", 4, "2000000", false, L"supply for country 2): 2000000 is outside 0 to 1000000; taken as 1000000"},
                       {"2;2;", 3, "-5", false, L"supply for country 1): -5 is outside 0 to 1000000; taken as 0"},
                   });
    ExpectEachTold(eFolder::kSave, "cities_convoy_info.csv",
                   {
                       {"2;2;", 2, "2.0", true, L"Hex Y): \"2.0\" is not a whole number"},
                       {"2;2;", 3, "set", true, L"convoy of country 1): \"set\" is not a whole number"},
                   });
    ExpectEachTold(eFolder::kSave, "auto_events.csv",
                   {
                       {"1;", 1, "first", true, L"event id): \"first\" is not a whole number"},
                       {"1;", 2, "x", true, L"option id): \"x\" is not a whole number"},
                       {"1;", 2, ";x", true, L"option id): \"x\" is not a whole number", 0, nullptr, 3},
                   });
    ExpectEachTold(eFolder::kSave, "play_counts.csv",
                   {
                       {"seed;", 2, "-1", true, L"seed): \"-1\" is no number of 0 to 4294967295"},
                       {"impulses;", 2, "x", true, L"impulses): \"x\" is not a whole number"},
                   });
}

// Info.ini is read by keys: its refusal names the line and the key (none: the game loads).
TEST(HostileValues, InfoIni)
{
    SetPresentation(nullptr);
    const struct
    {
        const char* find;
        const char* replace;
        const wchar_t* reason;
    } kValues[] = {
        {"Turn=0", "Turn=abc", L"data\\scenarios\\Testland\\Info.ini, line 25 (Save/Turn): \"abc\" is not a whole number"},
        {"Impulse=1", "Impulse=1.5", L"data\\scenarios\\Testland\\Info.ini, line 26 (Save/Impulse): \"1.5\" is not a whole number"},
        {"GameYear=1939", "GameYear=", L"data\\scenarios\\Testland\\Info.ini, line 29 (Save/GameYear): \"\" is not a whole number"},
        {"SmallUnitsSize=1", "SmallUnitsSize=one", L""},
        {"GameDay=1", "GameDay=1\nGameVersion=x1.0", L"data\\scenarios\\Testland\\Info.ini, line 28 (Save/GameVersion): \"x1.0\" is not a version number"},
    };
    for (const auto& v : kValues) {
        testland::InstallTestland();
        const auto path = HostPath(std::string("data\\scenarios\\Testland\\Info.ini"));
        std::string text = ReadWholeFile(path).value_or("");
        ASSERT_NE(text.find(v.find), std::string::npos) << v.find;
        testing_support::WriteFile(path, text.replace(text.find(v.find), std::strlen(v.find), v.replace));
        std::wstring reason;
        try {
            LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        } catch (const sFatalExit& e) {
            reason = e.reason;
        }
        EXPECT_EQ(reason, v.reason) << v.replace;
        DeleteGameObject();
    }
}

} // namespace
