#pragma once
// The report list: everything worth telling the players afterwards, stamped with the
// game date when added, saved with every game as reports.dat.
#include <list>
#include <string>
#include <string_view>

struct sRaport
{
    int kind = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    int impulse = 0;
    int countryKey = 0;
    int extra = 1;
    std::wstring text;
    bool operator==(const sRaport&) const = default;
};

// The date stamp that AddReport puts on a report.
struct sReportStamp
{
    int year = 0;
    int month = 0;
    int day = 0;
    int impulse = 0;
};

class cReportManager
{
public:
    using StampSource = sReportStamp (*)(const void* owner);
    cReportManager() = default;
    // The stamp comes from the owner (the game object) at each AddReport.
    cReportManager(StampSource source, const void* owner) : m_StampSource(source), m_Owner(owner) {}

    void AddReport(const sRaport& report);
    std::list<sRaport>& CollectReports(std::list<sRaport>& out, int countryKey, int kind) const;
    // Writes <folder>\reports.dat; a failure ends the program with exit code 1.
    void Save(std::wstring_view folder) const;
    // Reads reports.dat of the folder pattern; a missing file ends the program.
    void Load(std::wstring_view pattern);
    // The file's bytes, and reading them; false when they are damaged (the whole
    // reports read before the damage are kept).
    std::string Encode() const;
    bool Decode(std::string_view bytes);

    const std::list<sRaport>& GetReports() const { return m_Reports; }

private:
    std::list<sRaport> m_Reports;
    StampSource m_StampSource = nullptr;
    const void* m_Owner = nullptr;
};
