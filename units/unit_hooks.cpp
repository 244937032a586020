#include "units/unit_hooks.h"

#include "game/commanders.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/world.h"

void InstallUnitHooks()
{
    sUnitHooks& h = g_World.units;
    h.ownerId = [](const cUnit* u) { return u ? u->m_Owner : 0; };
    h.isVisible = [](const cUnit* u) { return u && u->m_Spotted; };
    h.isLandUnit = [](const cUnit* u) { return dynamic_cast<const cJednostkaLadowa*>(u) != nullptr; };
    h.shoreBombEffect = [](const cUnit* u) {
        const auto* j = dynamic_cast<const cJednostka*>(u);
        return j ? j->m_ShoreBombardmentEffect : 0.0f;
    };
    h.shipType = [](const cJednostkaMorska* s) { return s->m_Type; };
    h.hitPoints = [](const cJednostkaMorska* s) { return float(s->m_HP); };
    h.maxHitPoints = [](const cJednostkaMorska* s) { return float(s->m_MaxHP); };
    h.bombardmentValue = [](const cJednostkaMorska* s) { return s->GetBombardmentValue(); };
    h.selection = [](const cJednostkaMorska* s) { return uint8_t(s->m_Selected ? 1 : 0); };
    h.setSelection = [](cJednostkaMorska* s, uint8_t v) { s->m_Selected = v != 0; };
    h.assignedZone = [](const cJednostkaMorska* s) { return s->m_AiSeaZone; };
    h.setAssignedZone = [](cJednostkaMorska* s, int zone) { s->m_AiSeaZone = zone; };
    h.setFleet = [](cJednostkaMorska* s, cFlota* f) {
        s->m_Fleet = f;
        s->m_FleetId = f ? f->ID : -1;
    };
    h.commander = [](const cJednostkaMorska* s) { return s->m_Commander; };
    // A commander's rating is his skill.
    h.commanderRating = [](const sDowodca* c) { return c ? c->Skill : 0; };
    h.rollDamage = [](cJednostkaMorska* s) { return s->RollDamage(); };
}
