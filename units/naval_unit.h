#pragma once
// A naval unit: a ship that sails in a fleet, with hit points instead of strength and,
// for cargo and amphibious ships, one carried land unit.
#include <cstdint>
#include <string>

#include "units/unit.h"

class cFlota;

class cJednostkaMorska : public cUnit
{
public:
    // A ship takes its id from its creator (the naval counter or the file).
    cJednostkaMorska() = default;
    cJednostkaMorska(const cJednostkaMorska&) = default;

    // A ship has no commanding commander.
    void UpdateCommandingCommander() override { m_CommandingCommanderId = -1; }

    // The counter on the map: outside a sea battle.
    void DrawCounter(float x, float y, float scale, int style) const override;
    // The counter in a sea battle too: column is the ship's column on the board, and the
    // marks show which half acts next.
    void DrawCounter(float x, float y, float scale, int column, bool battle, bool firstSideActs) const;
    // Scaled into a panel's rectangle, without the battle marks.
    void DrawCounterInRect(const sRect& rect) const;
    void DrawIcon(const sRect& rect) const override { DrawCounterInRect(rect); }

    // Random damage of a ship of this type.
    int RollDamage() const;
    // Value of the ship in shore and port bombardment.
    float GetBombardmentValue() const;
    // Raises the hit points to the least a ship keeps after an interception.
    void EnsureMinimumHitPoints();
    // Adds delta, truncated, and keeps the result within 0 and the maximum.
    int ChangeHitPoints(float delta);
    // Per-type battle flags at the start of each sea-battle turn.
    void ResetBattleFlags();
    // Hit chance of a regular shot in percent, and the damage of one shot (0 or 1).
    int GetShotHitChance() const;
    int RollShotDamage() const;

    bool IsTransport() const { return m_Type == UNIT_CARGO || m_Type == UNIT_AMPHIBIOUS; }

    // Air attacks on the ship (by an air unit or a carrier's aircraft): it loses hit
    // points, and its fire may cost the attacker, who is never removed here.
    void ReceiveAirAttack(sCombatResult* result, cUnit* attacker) override;
    // This carrier's strike is met by the interceptor (a fighter or another carrier);
    // true when the strike is stopped. A fighter shot down leaves the game.
    bool TryIntercept(cUnit* interceptor, sCombatResult* result) override;
    // A carrier, or a submarine of a raider fleet, may fall on one enemy ship in its sea
    // node; true when it attacked, with the outcome in text and the target's owner in
    // targetOwner when given.
    bool TrySurpriseAttack(std::wstring& text, int* targetOwner = nullptr);

    // Reconnaissance: of a sea node (its ships recounted for the viewing country, foreign
    // ships in a port included), and of the land units around a hex within the aircraft
    // range. A given result is told what the carrier's aircraft found, as a plane's recon is.
    // False, logged, for a node that does not exist.
    bool ReconSeaNode(int nodeId, sCombatResult* result = nullptr);
    void ReconAroundHex(int x, int y, sCombatResult* result = nullptr);
    // Ports the owner holds that are large enough for a ship of this type; with mark
    // their own-ships hexes are marked. The number of ports.
    int MarkActionTargets(bool mark);
    // Hexes where the carried unit may go ashore; with mark they are marked. Their number.
    int MarkUnloadHexes(bool mark);
    // Puts the carried unit on (x, y), landing from the port or coast hex (fromX, fromY).
    // The unit, or null (logged) when this ship carries nothing or is no transport.
    cJednostkaLadowa* UnloadToHex(int x, int y, int fromX, int fromY);
    // The computer's unloading at the fleet's node: the node's hex, else a neighbour,
    // that is friendly land and empty. With testOnly, only whether there is one.
    bool AiUnload(bool testOnly);

    // Moves the ship from the naval reserve into a fleet at the node (the owner's last
    // fleet there, or a new one). A node that does not exist changes nothing.
    void AssignToSeaNode(int nodeId);
    // Places a newly deployed ship into a fleet at the node that has not moved this
    // impulse, or a new one.
    void JoinOrCreateFleet(int nodeId);
    // Removes the ship from the game and deletes it; the carried unit dies with it when
    // killCargo is set, else it is left without a transporter.
    void Kill(bool killCargo);
    // What a report of the ship's loss says of the land unit that goes down with it: a line
    // that names it (empty without one), and the ship's name with it, for a list of ships.
    std::wstring LostAboardLine() const;
    std::wstring NameWithCargo() const;
    // Why the ship goes down, for the record of the war at sea: set where the blow falls,
    // taken when the ship is killed with its cargo; a ship killed unmarked is lost to "other".
    void MarkLoss(const char* by, int byCountry)
    {
        m_LossBy = by;
        m_LossByCountry = byCountry;
    }

    int32_t m_FleetId = -1;       // as read from the file
    cFlota* m_Fleet = nullptr;    // null in the reserve pool
    int32_t m_HP = 0;             // 0 means sunk
    int32_t m_MaxHP = 0;
    cJednostkaLadowa* m_Cargo = nullptr;
    bool m_Selected = false;         // picked in the fleets dialog
    bool m_ActiveInBattle = false;   // may still fire in this sea-battle turn
    bool m_Retreated = false;
    bool m_VisibleInBattle = false;
    bool m_ShoreBombardmentDone = false;
    bool m_AirstrikeDone = false;
    bool m_ReconDone = false;
    bool m_CanBeRepaired = false;
    int32_t m_AiSeaZone = -1;
    const char* m_LossBy = nullptr;  // a literal, or null
    int32_t m_LossByCountry = 0;

private:
    // The technology that rates this ship: submarines for a submarine, navy otherwise.
    int GetRatingTechLevel() const;
    // Leaves the naval reserve for the map list, into fleet.
    void EnterFleet(cFlota* fleet);
    using cUnit::Kill;
};

// The name of the fleet the ship sails in; empty when it is in none.
const std::wstring& FleetName(const cJednostkaMorska& ship);
