#include "game/gra.h"

#include "core/log.h"
#include "events/zdarzenia.h"
#include "game/paths.h"
#include "game/presentation.h"

cGra* g_Gra = nullptr;

namespace {
sReportStamp StampFromGame(const void* owner)
{
    const auto* game = static_cast<const cGra*>(owner);
    const sGameDate date = game->GetGameDate();
    return {date.year, date.month, date.GetDayOfMonth(), game->m_Turn};
}
} // namespace

cGra::cGra(const sGameLoadRequest& request, int loadedFromSave)
    : m_FolderPattern(request.folderPattern), m_LoadedFromSave(loadedFromSave)
{
    g_Gra = this;
    m_Reports = new cReportManager(&StampFromGame, this);
    m_AutoEvents = new cAutoEventsRepository;
}

cGra::~cGra()
{
    for (sDowodca* c : m_Commanders)
        delete c;
    m_Commanders.clear();
    delete m_Events;
    m_Events = nullptr;
    delete m_AutoEvents;
    m_AutoEvents = nullptr;
    delete m_Reports;
    m_Reports = nullptr;
    if (g_Gra == this)
        g_Gra = nullptr;
}

void cGra::SetGameState(int state)
{
    m_GameState.store(state);
    LogLine(L"---- Game state = %i", state);
}

void cGra::EnterMenuState()
{
    SetGameState(kStateMenu);
    Presentation().UseMenuInput();
}

void cGra::ReturnToMap()
{
    Presentation().UseGameInput();
    SetGameState(kStateHuman);
}

bool cGra::LowerAnimatedState()
{
    int expected = kStateHumanMove;
    if (m_GameState.compare_exchange_strong(expected, kStateHuman))
        return true;
    expected = kStateComputerMove;
    return m_GameState.compare_exchange_strong(expected, kStateComputer);
}

sGameDate cGra::GetGameDate() const
{
    sGameDate date;
    date.impulse = m_Date[0];
    date.month = m_Date[1];
    date.year = m_Date[2];
    date.calendar = &m_Consts.ImpulsesPerMonth;
    return date;
}

std::wstring cGra::FolderPath(std::wstring_view fileName) const
{
    return JoinPathPattern(m_FolderPattern, fileName);
}
