// A move over the map, hex by hex: what each step takes, and the hand-over of the walk to
// the screen (or its end at once when nobody watches).
#include "game/unit_move.h"

#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/land_unit.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/relations.h"

namespace {

int PoliticalStrengthOf(int countryId)
{
    const cPanstwo* country = countryId > 0 ? GetCountry(countryId) : nullptr;
    return country ? country->PoliticalStrength : 0;
}

bool IsAlliedWith(int countryId, int otherId)
{
    const cPanstwo* country = countryId > 0 ? GetCountry(countryId) : nullptr;
    return country && otherId > 0 && country->IsAlliedWith(otherId);
}

} // namespace

bool cUnitMove::CanStepIntoNext() const
{
    // The next hex may hold units of friends the walk passes through, but the walk must
    // be able to go on from there to a free hex before any enemy: a unit that stopped on a
    // friend's hex would take that hex from the friend's unit.
    for (const sPathNode& node : m_Path) {
        const cUnit* there = g_Gra->m_Mapa->GetHex(node.x, node.y)->unit;
        if (!there)
            return true;
        if (CountriesAtWar(there->m_Owner, m_Unit->m_Owner))
            return false;
    }
    return false;
}

bool cUnitMove::AdvanceAlongPath()
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!m_Unit || !map)
        return false;
    cJednostka& unit = *m_Unit;
    const int owner = unit.m_Owner;
    if (!m_Path.empty()) {
        m_Controller = map->GetHex(unit.m_X, unit.m_Y)->controller;
        if (!CanStepIntoNext()) {
            m_Path.clear(); // the unit keeps its hex and the action points of the rest
        } else {
            const sPathNode node = m_Path.front();
            const int leftController = m_Controller;
            unit.m_X = node.x;
            unit.m_Y = node.y;
            unit.AddActionPoints(-node.cost);
            const sHex& hex = *map->GetHex(node.x, node.y);
            // A friendly hex keeps its holder; a hex nobody holds (country 0, with whom
            // there is neither war nor peace) is taken.
            if (hex.controller != 0 && !CountriesAtWar(owner, hex.controller))
                m_Controller = hex.controller;
            const sGameConsts& k = g_Gra->m_Consts;
            if (PoliticalStrengthOf(owner) >= PoliticalStrengthOf(leftController) + k.ControlMargin)
                m_Controller = owner;
            // A hex taken from its owner goes back to the owner when the owner is a friend.
            if (hex.controller != hex.owner && m_Controller != hex.controller && m_Controller != hex.owner &&
                IsAlliedWith(hex.owner, m_Controller))
                m_Controller = hex.owner;
            if (m_Controller == 0)
                m_Controller = owner; // nobody else to hand it to
            map->CaptureHex(m_Controller, node.x, node.y, m_Undo ? &m_Undo->changedHexes : nullptr);
            m_Path.pop_front();
        }
    }
    if (!m_Path.empty())
        return true;

    map->GetHex(unit.m_X, unit.m_Y)->unit = &unit;
    if (cPanstwo* mover = unit.GetOwner(); mover && mover->HumanControlled)
        mover->RecalculateUnitsVisibility();
    if (m_Undo && m_Undo->IsFor(unit))
        m_Undo->NoteMoveEnd(unit);
    m_Unit = nullptr;
    m_Controller = 0;
    return false;
}

bool cPlayState::IsMoveShown(const cJednostka& unit) const
{
    // Only the tool's wars have no person: there no view follows a move and nothing waits.
    if (!g_Gra || !g_Gra->HasHumanCountry())
        return false;
    const cPanstwo* owner = unit.GetOwner();
    if (owner && owner->HumanControlled)
        return true;
    // The spotted flag is every side's: a move seen only by another computer is not shown.
    return unit.m_Spotted && m_ShowActions && SeenByAPerson(&unit);
}

bool cPlayState::BeginMove(cJednostka& unit, int x, int y)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map)
        return false;
    if (!map->IsInside(x, y)) {
        LogLine(L"Move refused: hex (%i,%i) lies off the map", x, y);
        return false;
    }
    // Only a unit standing on its own hex, of the country whose turn it is, and not already on
    // its way moves: any other would be put on the map twice or move for the wrong side.
    if (!map->IsInside(unit.m_X, unit.m_Y) || unit.m_InReserve || map->GetHex(unit.m_X, unit.m_Y)->unit != &unit) {
        LogLine(L"Move refused: %s is not on the map", unit.m_Name);
        return false;
    }
    if (m_ActiveCountry && unit.m_Owner != m_ActiveCountry->ID) {
        LogLine(L"Move refused: %s does not belong to %s, whose turn it is", unit.m_Name, m_ActiveCountry->Name);
        return false;
    }
    if (m_Move.GetUnit()) {
        LogLine(L"Move refused: %s is still moving", m_Move.GetUnit()->m_Name);
        return false;
    }
    FindPath(unit, x, y);
    if (!m_Move.GetUnit()) {
        LogLine(L"Move refused: %s cannot reach (%i,%i)", unit.m_Name, x, y);
        return false;
    }
    // In transit the unit holds no hex; the end of the walk gives it one.
    map->GetHex(unit.m_X, unit.m_Y)->unit = nullptr;
    ++g_PlayCounts.moves;
    const int state = g_Gra->GetGameState();
    if (state == kStateHuman)
        g_Gra->SetGameState(kStateHumanMove);
    else if (state == kStateComputer)
        g_Gra->SetGameState(kStateComputerMove);
    return true;
}

bool cPlayState::AdvanceMove()
{
    cJednostka* unit = m_Move.GetUnit();
    if (!unit)
        return false;
    if (m_Move.AdvanceAlongPath())
        return true;
    m_LastMoveEndX = unit->m_X;
    m_LastMoveEndY = unit->m_Y;
    if (g_Gra)
        g_Gra->LowerAnimatedState();
    return false;
}

void cPlayState::FinishMove()
{
    while (AdvanceMove()) {
    }
    if (g_Gra)
        g_Gra->LowerAnimatedState();
}

bool cPlayState::PlayMove(cJednostka& unit, int x, int y)
{
    GLOBAL_LOCK_SCOPE();
    if (!BeginMove(unit, x, y))
        return false;
    if (IsMoveShown(unit)) {
        const cPanstwo* owner = unit.GetOwner();
        sPresentationRequest request;
        request.kind = eRequestKind::AnimateMove;
        request.title = unit.m_Name;
        request.unitId = unit.m_Id;
        request.countryId = unit.m_Owner;
        request.x = x;
        request.y = y;
        for (const sPathNode& node : m_Move.GetPath())
            request.path.emplace_back(node.x, node.y);
        request.delayMs = int(g_DelayValues[owner && owner->HumanControlled ? DELAY_HUMAN_MOVE_BETWEEN : DELAY_AI_MOVE_BETWEEN]);
        // The screen walks the path with AdvanceMove; whatever it leaves is walked here. The
        // computer's thread waits on the request, not by polling the game state every 50 ms:
        // only the main thread animates, and a wait must end when the thread is told to stop.
        Presentation().Post(std::move(request))->Wait();
    }
    FinishMove();
    return true;
}

bool cPlayState::PlayLandMove(int unitId, int x, int y)
{
    GLOBAL_LOCK_SCOPE();
    cJednostkaLadowa* unit = g_Gra ? g_Gra->FindLandUnitById(unitId) : nullptr;
    if (!unit) {
        LogLine(L"Move refused: no land unit %i on the map", unitId);
        return false;
    }
    return PlayMove(*unit, x, y);
}
