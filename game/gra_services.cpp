// Look-ups and small services of the game object.
#include "core/fatal.h"
#include "core/log.h"
#include "events/zdarzenia.h"
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

void cGra::InitAutoEvents()
{
    if (!m_Events)
        return;
    int option = 0; // an event without options repeats the previous event's option
    for (const cZdarzenie& e : m_Events->events) {
        bool first = true;
        int best = 0;
        for (const cEventOption& o : e.options)
            if (first || o.chanceAI > best) {
                option = o.optionID;
                best = o.chanceAI;
                first = false;
            }
        m_AutoEvents->Add(e.eventID, option);
    }
}
