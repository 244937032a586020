// The start of play, once the player has confirmed the scenario's settings: the game
// screen takes over and the first country's phase begins.
#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/turn_order.h"
#include "world/country.h"
#include "world/sea_graph.h"

bool cGra::StartMusic()
{
    for (size_t i = 0; i < m_Countries.size(); ++i)
        if (m_Countries[i]->HumanControlled && Presentation().SelectPlaylist(int(i) + 1))
            return true;
    return Presentation().SelectPlaylist(-1);
}

void cGra::StartGame(const std::function<void()>& beforePlay)
{
    Presentation().ShowPauseWallpaper();
    LogLine(L"============== Starting game ==============");
    // Only a game that began with a person ends when no person is left: a game of computers
    // alone would otherwise end after its first impulse.
    m_StartedWithHuman = HasHumanCountry();
    // A save that carries its sightings goes on with them: looking again would roll the
    // spotting dice anew, and a reload would not be the game that was saved.
    // Without fog of war there is nothing to keep: every unit is seen.
    const bool sightingsKept = m_LoadedFromSave != 0 && m_SavedIds.has_value() && g_UserSettings.fogOfWar != 0;
    // The person who plays next sees what their country sees; nobody, in a game of computers.
    if (cPanstwo* next = m_PlayState->PickNextCountry(m_Countries); next && !sightingsKept)
        next->RecalculateUnitsVisibility();
    else if (sightingsKept && m_SeaGraph)
        m_SeaGraph->ShowKeptSightings();
    LogLine(L"Updating units appearance");
    LogLine(L"Updating cities appearance");
    Presentation().UpdateAppearance();
    LogLine(L"Updating minimapr 2nd layer");
    Presentation().RefreshMinimap();
    m_PlayState->DeselectAll();
    LogLine(L"Initializing music");
    StartMusic();
    LogLine(L"Closing menu");
    {
        GLOBAL_LOCK_SCOPE();
        LogLine(L"Setting callbacks");
        Presentation().CloseMenuForPlay();
    }
    LogLine(L"============== Enjoy your game :)");
    Presentation().UpdateAppearance();
    if (beforePlay)
        beforePlay();

    cPanstwo* active = m_PlayState->GetActiveCountry();
    if (active && active->SpecialFlags == 1) {
        // Only a play-by-e-mail game checks its events at the dummy country; any other game
        // checks them when the impulse ends, and would check them twice.
        if (m_IsPbem)
            RequestEventCheck();
    } else {
        m_PlayState->CenterViewOnActiveCountry(true);
    }
    if (active && active->HumanControlled) {
        m_PlayState->SetViewCountry(active);
        Presentation().BeginPlayerPhase();
        SetGameState(kStateHuman);
        // With several people at the screen the first turn is announced as every later one
        // is: nobody else sees the side before its person has taken the screen.
        if (SeveralPeopleShareTheScreen()) {
            sPresentationRequest cover;
            cover.kind = eRequestKind::HandOverTurn;
            cover.countryId = active->ID;
            cover.title = active->Name;
            Presentation().Post(std::move(cover));
        }
        Presentation().UpdateAppearance();
        // Once more now that the phase is the person's: the turn opens as every later one
        // does, in the glide to the capital, and the map takes clicks once the camera is there.
        // Without a screen no camera glides to end that state: the view is only centred.
        m_PlayState->CenterViewOnActiveCountry(Presentation().HasScreen());
        return;
    }
    if (!m_PlayState->GetViewCountry())
        for (cPanstwo* c : m_Countries)
            if (c->HumanControlled) {
                m_PlayState->SetViewCountry(c);
                break;
            }
    if (cPanstwo* view = m_PlayState->GetViewCountry(); view && !sightingsKept)
        view->RecalculateUnitsVisibility();
    Presentation().BeginComputerPhase();
    SetGameState(kStateComputer);
}
