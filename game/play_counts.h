#pragma once
// Running totals of what happened in play, for the headless player's summary and for tests
// that want to know a rule really ran. Each rule adds to its own counter where it acts.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// A scripted event that fired: the option chosen, on the date of the check.
struct sFiredEvent
{
    int id = 0;
    std::wstring title;
    int option = 0;
    int impulse = 0;
    int month = 0;
    int year = 0;
};

// The war at sea, for the headless player's summary: a date is the impulse, month and year.
struct sSeaBattleRecord
{
    int date[3] = {0, 0, 0};
    std::wstring zone;
    std::vector<std::wstring> countries;  // every country with a ship in the battle
    bool operator==(const sSeaBattleRecord&) const = default;
};

struct sShipLossRecord
{
    int date[3] = {0, 0, 0};
    std::wstring ship, country, zone;
    std::string by;          // "sea battle", "surprise attack", "air", "port captured", "event", "other"
    std::wstring byCountry;  // empty when no country sank it
    bool operator==(const sShipLossRecord&) const = default;
};

struct sConvoyHitRecord
{
    int date[3] = {0, 0, 0};
    std::wstring country, zone;  // the convoy's owner; the first zone where it was hit
    int pointsLost = 0;
    std::wstring byCountry;      // the country of the first ships that hit it
    bool operator==(const sConvoyHitRecord&) const = default;
};

// The file of a save that holds the totals of the play that led to it.
inline constexpr const wchar_t* kPlayCountsFileName = L"play_counts.csv";

struct sPlayCounts
{
    // Headless play: the impulses played and the seed it was started with.
    std::atomic<int> impulsesPlayed{0};
    std::atomic<uint32_t> seed{0};
    std::atomic<int> dialogsAnswered{0};  // requests the headless presentation answered
    std::atomic<int> moves{0};            // a land unit walked a path (one per order)
    std::atomic<int> landCombats{0};      // one per resolved land combat or assault
    std::atomic<int> airMissions{0};      // one per air strike, bombardment, recon or air fight
    std::atomic<int> seaBattles{0};       // one per sea battle fought
    std::atomic<int> eventsFired{0};      // one per fired option of a scripted event
    std::atomic<int> hexesCaptured{0};    // one per hex whose controller changed by capture
    std::atomic<int> unitsDestroyed{0};   // one per land, air or naval unit killed
    std::atomic<int> convoysExecuted{0};  // one per convoy that sailed
    // The computer opponent's own doings.
    std::atomic<int> purchases{0};        // a unit, a level or points bought from the purchase queue
    std::atomic<int> airStrikes{0};       // a strike on a land unit, a sea zone or a city
    std::atomic<int> seaInvasions{0};     // a unit landed from an invasion fleet
    std::atomic<int> convoysPlanned{0};   // a supply convoy set up for a cut-off port
    std::atomic<int> shoreBombardments{0};  // a fleet's shelling of a coastal unit

    void Reset()
    {
        seed = 0;
        for (std::atomic<int>* c : {&impulsesPlayed, &dialogsAnswered, &moves, &landCombats, &airMissions, &seaBattles, &eventsFired, &hexesCaptured,
                                    &unitsDestroyed, &convoysExecuted, &purchases, &airStrikes, &seaInvasions,
                                    &convoysPlanned, &shoreBombardments})
            c->store(0);
        std::lock_guard<std::mutex> guard(m_FiredMutex);
        m_Fired.clear();
        m_WatchRecords.clear();
        m_SeaBattles.clear();
        m_ShipLosses.clear();
        m_ConvoyHits.clear();
    }

    // The events that fired, in order: the headless player lists which fired when.
    void RecordFiredEvent(sFiredEvent event)
    {
        std::lock_guard<std::mutex> guard(m_FiredMutex);
        m_Fired.push_back(std::move(event));
    }
    std::vector<sFiredEvent> FiredEvents() const
    {
        std::lock_guard<std::mutex> guard(m_FiredMutex);
        return m_Fired;
    }

    // What the headless player watched (surrenders, cities taken, lowest points), a line each
    // in its own format: they travel with the totals, so that a continued game reports them too.
    void SetWatchRecords(std::vector<std::string> records)
    {
        std::lock_guard<std::mutex> guard(m_FiredMutex);
        m_WatchRecords = std::move(records);
    }
    std::vector<std::string> WatchRecords() const
    {
        std::lock_guard<std::mutex> guard(m_FiredMutex);
        return m_WatchRecords;
    }

    // The war at sea as it went, in order.
    void RecordSeaBattle(sSeaBattleRecord record);
    void RecordShipLoss(sShipLossRecord record);
    void RecordConvoyHit(sConvoyHitRecord record);
    std::vector<sSeaBattleRecord> SeaBattles() const;
    std::vector<sShipLossRecord> ShipLosses() const;
    std::vector<sConvoyHitRecord> ConvoyHits() const;

    // The totals travel with a save, so that a loaded game's go on from the saved game's:
    // Load takes them from the folder's play_counts.csv, or starts from 0 without one.
    void Save(const std::wstring& folder) const;
    void Load(const std::wstring& folderPattern);

private:
    mutable std::mutex m_FiredMutex;
    std::vector<sFiredEvent> m_Fired;
    std::vector<std::string> m_WatchRecords;
    std::vector<sSeaBattleRecord> m_SeaBattles;
    std::vector<sShipLossRecord> m_ShipLosses;
    std::vector<sConvoyHitRecord> m_ConvoyHits;
};

// Stamps a record with the game's date.
void StampWithGameDate(int date[3]);

extern sPlayCounts g_PlayCounts;
