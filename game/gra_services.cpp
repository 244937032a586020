// Look-ups and small services of the game object.
#include "core/fatal.h"
#include "core/log.h"
#include "game/gra.h"
#include "platform/paths.h"

void cGra::LoadCommanders(const sGameLoadRequest& request, std::vector<sDowodca*>& commanders)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"commanders.csv");
    LogLine(L"Otwieram plik z dowďż˝dcami ze ďż˝cieďż˝kďż˝...");
    LogLine(path);
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes)
        FatalExit(1, L"Blad otwarcia pliku! (nie istnieje?)");
    LogLine(L"Otwarcie OK");
    ReadCommanders(*bytes, commanders);
}

sDowodca* cGra::FindCommander(int id) const
{
    if (id < 0)
        return nullptr;
    for (sDowodca* c : m_Commanders)
        if (c->ID == id)
            return c;
    LogLine(L"Commander with ID=%i not found", id);
    return nullptr;
}

void cGra::InitAutoEvents(const std::vector<sEventOptions>& events)
{
    int option = 0;
    for (const sEventOptions& e : events) {
        float best = 0.0f;
        bool first = true;
        for (const auto& [id, chance] : e.options)
            if (first || chance > best) {
                option = id;
                best = chance;
                first = false;
            }
        m_AutoEvents->Add(e.eventId, option);
    }
}
