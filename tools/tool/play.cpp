#include "tools/tool/play.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <system_error>
#include <sstream>
#include <thread>

#include "ai/ai_thread.h"
#include "core/fatal.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "game/game_over.h"
#include "game/paths.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/save_files.h"
#include "game/save_game.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

using Clock = std::chrono::steady_clock;

bool ParseNumber(const std::string& text, long long low, long long high, long long& out)
{
    if (text.empty() || text.size() > 12)
        return false;
    char* end = nullptr;
    out = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && out >= low && out <= high;
}

// ---- What became of the countries: surrenders, armistices and annexations, the capitals and the result ----

// A city the Allies took from the Axis.
struct sCityTaken
{
    std::wstring city;
    int originalOwner = 0;
    int from = 0;
    int by = 0;
    int date[3] = {0, 0, 0};
    int lost[3] = {0, 0, 0};  // when it next left the Allies; impulse 0 while they hold it
};

// A country that left the war, and how.
struct sCountryFate
{
    std::wstring country;
    const char* kind = "";  // "surrender", "armistice" or "annexation"
    int date[3] = {0, 0, 0};
};

// Watches the countries between two looks: one that stops being active has surrendered
// (it was at war and keeps its side), asked for an armistice (its side became neutral, which
// only peace does) or been annexed (it was at war with nobody); an active country that is
// now neutral and at peace while an enemy of before is still in the game has an armistice
// (the enemy keeps its side, so only the one that asked is named).
class cFateWatch
{
public:
    void Look(const cGra& game, const int date[3])
    {
        std::vector<sState> now;
        for (const cPanstwo* c : game.m_Countries) {
            sState state{c->IsActive, c->Alliance, {}};
            for (const cPanstwo* other : game.m_Countries)
                if (other != c && c->IsAtWarWith(other->ID))
                    state.enemies.push_back(other->ID);
            now.push_back(std::move(state));
        }
        for (size_t i = 0; i < m_States.size() && i < now.size(); ++i) {
            const sState& was = m_States[i];
            const sState& is = now[i];
            if (!was.active)
                continue;
            const char* kind = nullptr;
            // A leader that surrenders hands its lead on and is left neutral too: a leader at war
            // that stops being active has surrendered, since peace would have kept it active.
            const bool leader = was.alliance >= 4 && was.alliance <= 6;
            if (!is.active)
                kind = was.alliance != ALLIANCE_NEUTRAL && is.alliance == ALLIANCE_NEUTRAL && !(leader && !was.enemies.empty())
                           ? "armistice"
                       : !was.enemies.empty() ? "surrender"
                                              : "annexation";
            else if (is.enemies.empty() && is.alliance == ALLIANCE_NEUTRAL)
                for (int enemy : was.enemies)
                    if (now[size_t(enemy - 1)].active)
                        kind = "armistice";
            if (kind)
                m_Fates.push_back({game.m_Countries[i]->Name, kind, {date[0], date[1], date[2]}});
        }
        m_States = std::move(now);
        LookAtCities(game, date);
        m_LowestPP.resize(game.m_Countries.size(), 0.0);
        for (size_t i = 0; i < game.m_Countries.size(); ++i)
            m_LowestPP[i] = std::min(m_LowestPP[i], game.m_Countries[i]->PP);
    }
    // What a saved game's watch had seen, from the records it carries; and the records that
    // carry this watch's into a save. Each line names what it holds; the name comes last.
    void Restore(const std::vector<std::string>& records)
    {
        auto rest = [](const std::string& line, int fields) {
            size_t at = 0;
            for (int k = 0; k < fields; ++k) {
                at = line.find(';', at);
                if (at == std::string::npos)
                    return std::string();
                ++at;
            }
            return line.substr(at);
        };
        for (const std::string& line : records) {
            const std::vector<std::string> f = SplitText(std::string_view(line), ';');
            auto number = [&f](size_t k) { return k < f.size() ? std::atoi(f[k].c_str()) : 0; };
            if (f[0] == "fate" && f.size() >= 6) {
                const char* kind = f[1] == "surrender" ? "surrender" : f[1] == "armistice" ? "armistice" : "annexation";
                m_Fates.push_back({Utf8ToWide(rest(line, 5)), kind, {number(2), number(3), number(4)}});
            } else if (f[0] == "taken" && f.size() >= 8) {
                m_CitiesTaken.push_back({Utf8ToWide(rest(line, 7)), number(1), number(2), number(3),
                                         {number(4), number(5), number(6)}});
            } else if (f[0] == "lost" && f.size() >= 5) {
                if (sCityTaken* t = HeldByTheAllies(Utf8ToWide(rest(line, 4))))
                    for (size_t k = 0; k < 3; ++k)
                        t->lost[k] = number(k + 1);
            } else if (f[0] == "lowest" && f.size() >= 3) {
                const size_t index = size_t(std::max(0, number(1)));
                if (index < 1000) {
                    m_LowestPP.resize(std::max(m_LowestPP.size(), index + 1), 0.0);
                    m_LowestPP[index] = std::min(0.0, std::strtod(f[2].c_str(), nullptr));
                }
            }
        }
    }
    std::vector<std::string> Records() const
    {
        auto date = [](const int d[3]) {
            return std::to_string(d[0]) + ";" + std::to_string(d[1]) + ";" + std::to_string(d[2]) + ";";
        };
        std::vector<std::string> records;
        for (const sCountryFate& f : m_Fates)
            records.push_back("fate;" + std::string(f.kind) + ";" + date(f.date) + WideToUtf8(f.country));
        // A loss follows its taking, so that a restore gives it to that taking.
        for (const sCityTaken& t : m_CitiesTaken) {
            records.push_back("taken;" + std::to_string(t.originalOwner) + ";" + std::to_string(t.from) + ";" +
                              std::to_string(t.by) + ";" + date(t.date) + WideToUtf8(t.city));
            if (t.lost[0] > 0)
                records.push_back("lost;" + date(t.lost) + WideToUtf8(t.city));
        }
        for (size_t i = 0; i < m_LowestPP.size(); ++i)
            if (m_LowestPP[i] < 0.0) {
                char value[40];
                std::snprintf(value, sizeof value, "%.17g", m_LowestPP[i]);
                records.push_back("lowest;" + std::to_string(i) + ";" + value);
            }
        return records;
    }
    // The lowest production points a country had at a look, 0 when never below.
    double LowestPP(size_t index) const { return index < m_LowestPP.size() ? m_LowestPP[index] : 0.0; }
    const std::vector<sCountryFate>& Fates() const { return m_Fates; }
    const std::vector<sCityTaken>& CitiesTaken() const { return m_CitiesTaken; }

private:
    struct sState
    {
        bool active = false;
        int alliance = 0;
        std::vector<int> enemies;
    };
    void LookAtCities(const cGra& game, const int date[3])
    {
        auto side = [&game](int id) {
            if (id < 1 || id > int(game.m_Countries.size()))
                return 0;
            const int alliance = game.m_Countries[size_t(id - 1)]->Alliance;
            return alliance > 3 ? alliance - 3 : alliance;  // a leader's code names its side
        };
        std::vector<int> controllers;
        for (const cMiasto* city : game.m_Cities)
            controllers.push_back(city->GetControllerId());
        size_t i = 0;
        for (const cMiasto* city : game.m_Cities) {
            const int from = i < m_Controllers.size() ? m_Controllers[i] : controllers[i];
            if (controllers[i] != from && side(from) == ALLIANCE_AXIS && side(controllers[i]) == ALLIANCE_ALLIES)
                m_CitiesTaken.push_back(
                    {city->GetName(), city->GetOriginalOwnerId(), from, controllers[i], {date[0], date[1], date[2]}});
            else if (controllers[i] != from && side(from) == ALLIANCE_ALLIES && side(controllers[i]) != ALLIANCE_ALLIES)
                if (sCityTaken* t = HeldByTheAllies(city->GetName()))
                    std::copy(date, date + 3, t->lost);
            ++i;
        }
        m_Controllers = std::move(controllers);
    }

    // The last taking of the city that the Allies still hold, or nothing.
    sCityTaken* HeldByTheAllies(const std::wstring& city)
    {
        for (auto t = m_CitiesTaken.rbegin(); t != m_CitiesTaken.rend(); ++t)
            if (t->city == city)
                return t->lost[0] == 0 ? &*t : nullptr;
        return nullptr;
    }

    std::vector<sState> m_States;
    std::vector<sCountryFate> m_Fates;
    std::vector<int> m_Controllers;
    std::vector<sCityTaken> m_CitiesTaken;
    std::vector<double> m_LowestPP;
};

// What the opponent's thread leaves for the main thread.
struct sRun
{
    std::atomic<uint64_t> progress{0};
    std::mutex mutex;
    std::wstring broken;  // the broken invariant, with whose turn it followed
    std::vector<double> seconds;
    Clock::time_point impulseStart = Clock::now();  // moved on by the time of the checks
    int impulses = 0;
    size_t eventsShown = 0;  // fired events already named in an impulse line
    cFateWatch fates;
    int playedDate[3] = {0, 0, 0};  // the impulse being played: the end of an impulse moves the date on
    size_t fatesShown = 0;
    // A save the opponent's thread waits for between two impulses; the main thread writes it,
    // as it writes the save at the end, so that its own dice are the ones saved.
    std::condition_variable saveCv;
    std::string saveWanted;
    bool saveFailed = false;
};

// The invariants of the game after a country's turn; the first that does not hold, or
// nothing.
std::wstring BrokenInvariant(const cGra& game)
{
    const cMapa* map = game.m_Mapa;
    if (!map)
        return L"the game has no map";
    auto hexOf = [map](const cUnit& u) -> const sHex* {
        return map->IsInside(u.m_X, u.m_Y) ? map->GetHex(u.m_X, u.m_Y) : nullptr;
    };
    size_t onMap = 0;
    auto checkMapUnit = [&](const cJednostka& u) -> std::wstring {
        const sHex* hex = hexOf(u);
        if (!hex)
            return FormatText(L"every position on the map: unit %i (%s) stands at (%i, %i)", u.m_Id, u.m_Name, u.m_X,
                              u.m_Y);
        if (hex->unit != &u)
            return FormatText(L"every unit on the map is its hex's occupant: unit %i (%s) at (%i, %i)", u.m_Id,
                              u.m_Name, u.m_X, u.m_Y);
        if (u.m_Type != UNIT_MULBERRY && u.GetCombatStrength() < 0.1f)
            return FormatText(L"no unit below strength 0.1 on the map: unit %i (%s) at (%i, %i) has %.3f", u.m_Id,
                              u.m_Name, u.m_X, u.m_Y, double(u.GetCombatStrength()));
        ++onMap;
        return L"";
    };
    for (const cJednostkaLadowa* u : game.m_LandUnits)
        if (std::wstring e = checkMapUnit(*u); !e.empty())
            return e;
    for (const cJednostkaLotnicza* u : game.m_AirUnits)
        if (std::wstring e = checkMapUnit(*u); !e.empty())
            return e;
    size_t occupied = 0;
    const std::vector<sHex>& hexes = game.m_Mapa->Hexes();
    for (size_t i = 0; i < hexes.size(); ++i) {
        const sHex& hex = hexes[i];
        const int x = int(i % size_t(map->width)), y = int(i / size_t(map->width));
        if (hex.unit) {
            ++occupied;
            if (hex.unit->m_X != x || hex.unit->m_Y != y)
                return FormatText(L"the hex points back to its unit: hex (%i, %i) holds unit %i, which stands at "
                                  L"(%i, %i)",
                                  x, y, hex.unit->m_Id, hex.unit->m_X, hex.unit->m_Y);
        }
        if (hex.IsLand() && hex.controller == 0)
            return FormatText(L"no land hex controlled by 0: hex (%i, %i)", x, y);
    }
    if (occupied != onMap)
        return FormatText(L"the hex points back to its unit: %i hexes hold a unit, %i units stand on the map",
                          int(occupied), int(onMap));
    for (const cFlota* fleet : game.m_Fleets)
        if (!game.m_SeaGraph || fleet->seaNode < 1 || fleet->seaNode > game.m_SeaGraph->NodeCount())
            return FormatText(L"every position on the map: fleet %i is at sea node %i", fleet->ID, fleet->seaNode);

    auto duplicate = [](const wchar_t* kind, std::set<int>& seen, int id) {
        return seen.insert(id).second ? std::wstring() : FormatText(L"ids unique: two %s have the id %i", kind, id);
    };
    std::set<int> land, air, naval, fleets;
    std::wstring e;
    game.ForEachUnitOf(CATEGORY_LAND, [&](const cUnit& u) {
        if (e.empty())
            e = duplicate(L"land units", land, u.m_Id);
    });
    game.ForEachUnitOf(CATEGORY_AIR, [&](const cUnit& u) {
        if (e.empty())
            e = duplicate(L"air units", air, u.m_Id);
    });
    for (const cJednostkaMorska* s : game.m_NavalUnits)
        if (e.empty())
            e = duplicate(L"naval units", naval, s->m_Id);
    for (const cJednostkaMorska* s : game.m_NavalReserve)
        if (e.empty())
            e = duplicate(L"naval units", naval, s->m_Id);
    for (const cFlota* f : game.m_Fleets)
        if (e.empty())
            e = duplicate(L"fleets", fleets, f->ID);
    return e;
}

std::string JsonText(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : WideToUtf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\', out += c;
        else if (uint8_t(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", unsigned(uint8_t(c)));
            out += buffer;
        } else
            out += c;
    }
    return out + "\"";
}

std::string Number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

std::string JsonDate(const int date[3])
{
    return "{\"impulse\": " + std::to_string(date[0]) + ", \"month\": " + std::to_string(date[1]) +
           ", \"year\": " + std::to_string(date[2]) + "}";
}

// "; surrenders: Poland (surrender) 1.10.1939, ..." for the fates from the index on.
std::string FatesLine(const std::vector<sCountryFate>& fates, size_t from)
{
    std::string line;
    for (size_t i = from; i < fates.size(); ++i)
        line += (line.empty() ? "; surrenders: " : ", ") + WideToUtf8(fates[i].country) + " (" + fates[i].kind +
                ") " + std::to_string(fates[i].date[0]) + "." + std::to_string(fates[i].date[1]) + "." +
                std::to_string(fates[i].date[2]);
    return line;
}

std::wstring CountryName(const cGra& game, int id)
{
    return id >= 1 && id <= int(game.m_Countries.size()) ? game.m_Countries[size_t(id - 1)]->Name : L"";
}

std::string LanguageLine(const char* key)
{
    std::wstring text = LangText(key);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return JsonText(text);
}

// The capital is a point on the minimap picture, drawn a few pixels a hex: the city at the
// centre of that point's hex, or null for a country without one. The country's own city comes
// first; an armistice that hands the land on with its origin leaves the city there all the same.
const cMiasto* CapitalCity(const cGra& game, const cPanstwo& country)
{
    for (bool ownCity : {true, false})
        for (int scale = 1; scale <= 8; ++scale)
            for (const cMiasto* city : game.m_Cities)
                if (city->X * scale + scale / 2 == country.CapitalX && city->Y * scale + scale / 2 == country.CapitalY &&
                    (!ownCity || city->GetOriginalOwnerId() == country.ID))
                    return city;
    return nullptr;
}

// The summary's surrenders, capitals and result, each key on its line.
std::string FatesSummary(const cGra& game, const std::vector<sCountryFate>& fates,
                         const std::vector<sCityTaken>& taken)
{
    std::ostringstream json;
    json << "  \"surrenders\": [";
    for (size_t i = 0; i < fates.size(); ++i)
        json << (i ? "," : "") << "\n    {\"country\": " << JsonText(fates[i].country) << ", \"kind\": \""
             << fates[i].kind << "\", \"date\": " << JsonDate(fates[i].date) << "}";
    json << "\n  ],\n  \"cities_taken_by_the_allies\": [";
    for (size_t i = 0; i < taken.size(); ++i)
        json << (i ? "," : "") << "\n    {\"city\": " << JsonText(taken[i].city)
             << ", \"original_owner\": " << JsonText(CountryName(game, taken[i].originalOwner))
             << ", \"from\": " << JsonText(CountryName(game, taken[i].from))
             << ", \"by\": " << JsonText(CountryName(game, taken[i].by)) << ", \"date\": " << JsonDate(taken[i].date)
             << ", \"lost\": " << (taken[i].lost[0] > 0 ? JsonDate(taken[i].lost) : std::string("null")) << "}";
    json << "\n  ],\n  \"capitals\": [";
    bool first = true;
    for (const cPanstwo* c : game.m_Countries)
        if (const cMiasto* city = CapitalCity(game, *c)) {
            json << (first ? "" : ",") << "\n    {\"country\": " << JsonText(c->Name)
                 << ", \"city\": " << JsonText(city->GetName())
                 << ", \"controller\": " << JsonText(CountryName(game, city->GetControllerId())) << "}";
            first = false;
        }
    const char* reason = game.m_GameOver ? GameOverReasonKey(game) : nullptr;
    json << "\n  ],\n  \"result\": {\"outcome\": " << LanguageLine(GameResultKey(game))
         << ", \"reason\": " << (reason ? LanguageLine(reason) : std::string("null"))
         << ", \"victory_points\": {\"allies\": " << game.CountAllianceVictoryPoints(ALLIANCE_ALLIES)
         << ", \"axis\": " << game.CountAllianceVictoryPoints(ALLIANCE_AXIS)
         << ", \"comintern\": " << game.CountAllianceVictoryPoints(ALLIANCE_COMINTERN) << "}},\n";
    return json.str();
}

// The summary's sea battles, ships lost and convoys hit, each key on its line.
std::string SeaSummary()
{
    std::ostringstream json;
    json << "  \"sea_battles\": [";
    const std::vector<sSeaBattleRecord> battles = g_PlayCounts.SeaBattles();
    for (size_t i = 0; i < battles.size(); ++i) {
        json << (i ? "," : "") << "\n    {\"date\": " << JsonDate(battles[i].date)
             << ", \"zone\": " << JsonText(battles[i].zone) << ", \"countries\": [";
        for (size_t k = 0; k < battles[i].countries.size(); ++k)
            json << (k ? ", " : "") << JsonText(battles[i].countries[k]);
        json << "]}";
    }
    json << "\n  ],\n  \"ships_sunk\": [";
    const std::vector<sShipLossRecord> losses = g_PlayCounts.ShipLosses();
    for (size_t i = 0; i < losses.size(); ++i)
        json << (i ? "," : "") << "\n    {\"date\": " << JsonDate(losses[i].date)
             << ", \"ship\": " << JsonText(losses[i].ship) << ", \"country\": " << JsonText(losses[i].country)
             << ", \"zone\": " << JsonText(losses[i].zone) << ", \"by\": " << JsonText(Utf8ToWide(losses[i].by))
             << ", \"by_country\": " << JsonText(losses[i].byCountry) << "}";
    json << "\n  ],\n  \"convoys_hit\": [";
    const std::vector<sConvoyHitRecord> hits = g_PlayCounts.ConvoyHits();
    for (size_t i = 0; i < hits.size(); ++i)
        json << (i ? "," : "") << "\n    {\"date\": " << JsonDate(hits[i].date)
             << ", \"country\": " << JsonText(hits[i].country) << ", \"zone\": " << JsonText(hits[i].zone)
             << ", \"points_lost\": " << hits[i].pointsLost << ", \"by_country\": " << JsonText(hits[i].byCountry)
             << "}";
    json << "\n  ]\n";
    return json.str();
}

// What the game played so far: a game loaded from a save counts from its start.
std::string Summary(const cGra& game, const std::vector<double>& seconds, const cFateWatch& watch)
{
    std::ostringstream json;
    json << "{\n  \"impulses\": " << g_PlayCounts.impulsesPlayed << ",\n  \"date\": {\"impulse\": " << game.m_Date[0]
         << ", \"month\": " << game.m_Date[1] << ", \"year\": " << game.m_Date[2] << "},\n  \"game_over\": "
         << (game.m_GameOver ? "true" : "false") << ",\n  \"seed\": " << g_PlayCounts.seed
         << ",\n  \"seconds_per_impulse\": [";
    for (size_t i = 0; i < seconds.size(); ++i)
        json << (i ? ", " : "") << Number(seconds[i]);
    json << "],\n  \"countries\": [";
    for (size_t i = 0; i < game.m_Countries.size(); ++i) {
        const cPanstwo& c = *game.m_Countries[i];
        int hexes = 0, cities = 0, land = 0, air = 0, ships = 0;
        for (const sHex& hex : game.m_Mapa->Hexes())
            hexes += hex.IsLand() && hex.controller == c.ID ? 1 : 0;
        for (const cMiasto* city : game.m_Cities)
            cities += city->GetControllerId() == c.ID ? 1 : 0;
        game.ForEachUnitOf(CATEGORY_LAND, [&](const cUnit& u) { land += u.m_Owner == c.ID ? 1 : 0; });
        game.ForEachUnitOf(CATEGORY_AIR, [&](const cUnit& u) { air += u.m_Owner == c.ID ? 1 : 0; });
        for (const cJednostkaMorska* s : game.m_NavalUnits)
            ships += s->m_Owner == c.ID ? 1 : 0;
        for (const cJednostkaMorska* s : game.m_NavalReserve)
            ships += s->m_Owner == c.ID ? 1 : 0;
        json << (i ? "," : "") << "\n    {\"id\": " << c.ID << ", \"name\": " << JsonText(c.Name)
             << ", \"active\": " << (c.IsActive ? "true" : "false") << ", \"alliance\": " << c.Alliance
             << ", \"hexes\": " << hexes << ", \"cities\": " << cities << ", \"land_units\": " << land
             << ", \"air_units\": " << air << ", \"ships\": " << ships << ", \"production_points\": " << Number(c.PP)
             << ", \"lowest_production_points\": " << Number(watch.LowestPP(i))
             << ", \"victory_points\": " << game.CountCountryVictoryPoints(c.ID) << "}";
    }
    const sPlayCounts& n = g_PlayCounts;
    json << "\n  ],\n  \"counts\": {\"moves\": " << n.moves << ", \"land_combats\": " << n.landCombats
         << ", \"air_missions\": " << n.airMissions << ", \"sea_battles\": " << n.seaBattles
         << ", \"events_fired\": " << n.eventsFired << ", \"hexes_captured\": " << n.hexesCaptured
         << ", \"units_destroyed\": " << n.unitsDestroyed << ", \"convoys_executed\": " << n.convoysExecuted
         << ", \"purchases\": " << n.purchases << ", \"air_strikes\": " << n.airStrikes
         << ", \"sea_invasions\": " << n.seaInvasions << ", \"convoys_planned\": " << n.convoysPlanned
         << ", \"shore_bombardments\": " << n.shoreBombardments
         << ", \"dialogs_answered\": " << HeadlessAnswerCount() << "},\n"
         << FatesSummary(game, watch.Fates(), watch.CitiesTaken()) << "  \"events\": [";
    const std::vector<sFiredEvent> fired = g_PlayCounts.FiredEvents();
    for (size_t i = 0; i < fired.size(); ++i) {
        const sFiredEvent& e = fired[i];
        json << (i ? "," : "") << "\n    {\"id\": " << e.id << ", \"title\": " << JsonText(e.title)
             << ", \"option\": " << e.option << ", \"date\": {\"impulse\": " << e.impulse << ", \"month\": " << e.month
             << ", \"year\": " << e.year << "}}";
    }
    json << "\n  ],\n" << SeaSummary() << "}\n";
    return json.str();
}

// The save of the game played so far, with what the tool's watch has seen. False, with a
// line that says why, when it could not be written.
bool SavePlayedGame(const std::string& name, const cFateWatch& watch)
{
    g_PlayCounts.SetWatchRecords(watch.Records());
    GLOBAL_LOCK_SCOPE();
    std::wstring why;
    if (SaveWithTotalsOfPlay(Utf8ToWide(name), &why))
        return true;
    std::cerr << "velmorant-tool: the game was not saved as " << name << ": " << WideToUtf8(why) << "\n";
    return false;
}

// Ends a run that is stuck: the thread cannot be joined, so the process ends here.
[[noreturn]] void Watchdog(const sPlayOptions& options)
{
    std::cerr << "velmorant-tool: no progress for " << options.watchdogSeconds << " s; the log's last lines:\n";
    if (options.lastLogLines)
        for (const std::wstring& line : options.lastLogLines(20))
            std::cerr << "  " << WideToUtf8(line) << "\n";
    std::cerr.flush();
    std::_Exit(1);
}

} // namespace

bool ParsePlayOptions(const std::vector<std::string>& args, sPlayOptions& options)
{
    options.seed = GetTickMs();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        long long n = 0;
        if (a == "--quiet") {
            options.quiet = true;
        } else if (a == "--impulses" && hasValue && ParseNumber(args[i + 1], 1, 1000000, n)) {
            options.impulses = int(n);
            ++i;
        } else if (a == "--seed" && hasValue && ParseNumber(args[i + 1], 0, UINT32_MAX, n)) {
            options.seed = uint32_t(n);
            options.seedGiven = true;
            ++i;
        } else if (a == "--human" && hasValue) {
            options.humanIds.clear();
            if (args[++i] != "none")
                for (const std::string& id : SplitText(std::string_view(args[i]), ',')) {
                    if (!ParseNumber(id, 1, 255, n)) {
                        std::cerr << "velmorant-tool: --human takes none or country ids (1, 2, ...), not "
                                  << args[i] << "\n";
                        return false;
                    }
                    options.humanIds.push_back(int(n));
                }
        } else if (a == "--save" && hasValue && IsValidSaveName(Utf8ToWide(args[i + 1]), kMaxSaveNameLength)) {
            options.saveName = args[++i];
        } else if (a == "--save-every" && hasValue &&
                   IsValidSaveName(Utf8ToWide(args[i + 1] + "-1000000"), kMaxSaveNameLength)) {
            options.saveEveryPrefix = args[++i];
        } else if (a == "--save-at" && hasValue) {
            options.saveAt.clear();
            for (const std::string& impulse : SplitText(std::string_view(args[++i]), ',')) {
                if (!ParseNumber(impulse, 1, 1000000, n)) {
                    std::cerr << "velmorant-tool: --save-at takes impulse numbers (1, 2, ...), not " << args[i]
                              << "\n";
                    return false;
                }
                options.saveAt.insert(int(n));
            }
        } else if (a == "--summary" && hasValue) {
            // The tool works in the game root; the file is named from where it was started.
            options.summaryPath = std::filesystem::absolute(args[++i]).string();
        } else {
            std::cerr << "velmorant-tool: play: bad option " << a << (hasValue ? " " + args[i + 1] : "") << "\n";
            return false;
        }
    }
    return true;
}

bool SaveWithTotalsOfPlay(const std::wstring& saveName, std::wstring* why)
{
    return SaveGame(saveName, true, why, [](const std::wstring& folder) { g_PlayCounts.Save(folder); });
}

int RunPlay(cGra& game, const sPlayOptions& options)
{
    for (int id : options.humanIds)
        if (id > int(game.m_Countries.size())) {
            std::cerr << "velmorant-tool: --human: the game has no country " << id << "\n";
            return 1;
        }
    for (cPanstwo* c : game.m_Countries)
        c->HumanControlled = std::find(options.humanIds.begin(), options.humanIds.end(), c->ID) !=
                             options.humanIds.end();
    g_DelayValues.fill(0.0f);
    StartGlobalLock();

    sRun run;
    sAIThreadOptions thread;
    // A save goes on with the dice it carries, and the totals and seed of its play; a seed
    // given rolls both threads' dice anew.
    const bool continues = !options.seedGiven && game.m_SavedRandomStates;
    if (continues) {
        thread.seed = std::nullopt;
    } else {
        if (game.m_SavedRandomStates)
            SeedRandom(options.seed);
        thread.seed = options.seed;
        g_PlayCounts.seed = options.seed;
    }
    thread.humanStandIn = true;
    thread.afterCountryTurn = [&](const cPanstwo& country) {
        ++run.progress;
        GLOBAL_LOCK_SCOPE();
        const Clock::time_point start = Clock::now();
        const std::wstring broken = BrokenInvariant(game);
        std::copy(game.m_Date, game.m_Date + 3, run.playedDate);
        run.fates.Look(game, run.playedDate);
        // The tool's own checks are no part of the game's time.
        run.impulseStart += Clock::now() - start;
        if (broken.empty())
            return true;
        std::lock_guard<std::mutex> guard(run.mutex);
        run.broken = FormatText(L"after the turn of %s (impulse %i of %i.%i): %s", country.Name, game.m_Date[0],
                                game.m_Date[1], game.m_Date[2], broken);
        return false;
    };
    thread.afterImpulse = [&]() {
        ++run.progress;
        const double seconds = std::chrono::duration<double>(Clock::now() - run.impulseStart).count();
        int64_t allies = 0, axis = 0, comintern = 0;
        {
            GLOBAL_LOCK_SCOPE();
            allies = game.CountAllianceVictoryPoints(ALLIANCE_ALLIES);
            axis = game.CountAllianceVictoryPoints(ALLIANCE_AXIS);
            comintern = game.CountAllianceVictoryPoints(ALLIANCE_COMINTERN);
            run.fates.Look(game, run.playedDate);
        }
        const std::vector<sFiredEvent> fired = g_PlayCounts.FiredEvents();
        std::unique_lock<std::mutex> guard(run.mutex);
        run.seconds.push_back(seconds);
        ++run.impulses;
        ++g_PlayCounts.impulsesPlayed;
        std::string events;
        for (size_t i = run.eventsShown; i < fired.size(); ++i)
            events += (events.empty() ? "; events fired: " : ", ") + std::to_string(fired[i].id) + " " +
                      WideToUtf8(fired[i].title) + " (option " + std::to_string(fired[i].option) + ")";
        run.eventsShown = fired.size();
        events += FatesLine(run.fates.Fates(), run.fatesShown);
        run.fatesShown = run.fates.Fates().size();
        if (!options.quiet)
            std::cout << "impulse " << run.impulses << ", now impulse " << game.m_Date[0] << " of " << game.m_Date[1]
                      << "." << game.m_Date[2] << ": " << Number(seconds) << " s; victory points: Allies " << allies
                      << ", Axis " << axis << ", Comintern " << comintern << events << std::endl;
        const int played = g_PlayCounts.impulsesPlayed;
        if (!options.saveEveryPrefix.empty() && (options.saveAt.empty() || options.saveAt.count(played))) {
            run.saveWanted = options.saveEveryPrefix + "-" + std::to_string(played);
            run.saveCv.notify_all();
            run.saveCv.wait(guard, [&] { return run.saveWanted.empty() || !ThreadMayRun(); });
            if (run.saveFailed)
                return false;
        }
        run.impulseStart = Clock::now();
        return !game.m_GameOver && run.impulses != options.impulses;
    };
    SetAIThreadOptions(thread);

    // A saved game's watch goes on where it stood; its impulse lines named those already.
    run.fates.Restore(g_PlayCounts.WatchRecords());
    run.fatesShown = run.fates.Fates().size();
    game.StartGame();
    std::copy(game.m_Date, game.m_Date + 3, run.playedDate);
    run.fates.Look(game, run.playedDate);
    run.impulseStart = Clock::now();
    StartAIThread();
    uint64_t seen = run.progress;
    Clock::time_point lastProgress = Clock::now();
    while (g_AIThreadRun.load()) {
        std::string save;
        {
            std::unique_lock<std::mutex> guard(run.mutex);
            run.saveCv.wait_for(guard, std::chrono::milliseconds(20), [&] { return !run.saveWanted.empty(); });
            save = run.saveWanted;
        }
        if (!save.empty()) {
            // The opponent's thread waits for it: nothing changes the game meanwhile.
            const bool saved = SavePlayedGame(save, run.fates);
            std::lock_guard<std::mutex> guard(run.mutex);
            run.saveFailed = !saved;
            run.saveWanted.clear();
            run.saveCv.notify_all();
            ++run.progress;
        }
        if (run.progress != seen) {
            seen = run.progress;
            lastProgress = Clock::now();
        } else if (Clock::now() - lastProgress > std::chrono::seconds(options.watchdogSeconds)) {
            Watchdog(options);
        }
    }
    StopAIThread();
    SetAIThreadOptions({});

    if (const std::wstring failure = AIThreadFailure(); !failure.empty()) {
        std::cerr << "velmorant-tool: play failed: " << WideToUtf8(failure) << "\n";
        return 1;
    }
    if (!run.broken.empty()) {
        std::cerr << "velmorant-tool: invariant broken " << WideToUtf8(run.broken) << "\n";
        return 2;
    }
    if (run.saveFailed)
        return 1;
    if (!options.saveName.empty()) {
        if (!SavePlayedGame(options.saveName, run.fates))
            return 1;
        if (!options.quiet)
            std::cout << "saved as data/save/" << options.saveName << "\n";
    }
    // Checked to its close, where a full disk may show only.
    if (std::error_code why; !options.summaryPath.empty() &&
                             !WriteWholeFile(options.summaryPath, Summary(game, run.seconds, run.fates), &why)) {
        std::cerr << "velmorant-tool: cannot write the summary " << options.summaryPath << ": " << why.message() << "\n";
        return 1;
    }
    return 0;
}
