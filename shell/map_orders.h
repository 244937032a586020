#pragma once
// The map clicks that carry out the orders the windows start: the unit panel's recon,
// airborne assault and strategic move, the units manager's deployment, the fleets
// manager's move, unload or invasion, carrier strike, shore bombardment and recon, and the
// convoy window's pick of two ports. Each runs the rules' own operation; a window that
// stood aside for the order comes back when the click ends it.
#include <string>

class cMapa;
class cPlayState;
class cUnit;
struct sHex;

struct sMapClick
{
    cPlayState& play;
    cMapa& map;
    sHex& hex;            // the clicked hex, already selected
    bool isTarget;        // it carried a target mark of the order
    cUnit* selected;      // the unit on the hex selected before the click, or null
};

enum class eOrderClick
{
    NotAWindowOrder,  // the order mode is the map's own: the caller handles the click
    Done,             // carried out; the click ends in the reset
    KeepMode,         // the order goes on with the next click
    Abandoned,        // the click missed every target: the order is given up
};

// Under the global lock.
eOrderClick CarryOutWindowOrder(const sMapClick& click);
// Gives up the order of the current mode (a right click, a click beside the targets): its
// marks go, the mode returns to selecting, and the window that started it comes back.
// False when the mode was the map's own selection or move.
bool AbandonOrder(cPlayState& play, cMapa& map);
// Why the order of the current mode cannot go where the click points (a rail move, a
// fleet's move to a sea zone or port, an air unit's strike or reconnaissance, a convoy's
// port), for the status line; empty for the other orders and a port the convoy may take.
std::wstring WhyOrderCannotGoThere(const sMapClick& click);
// The sea node a click on the hex names: a port's hexes name the port, a sea hex its zone,
// a port city its port; 0 for none.
int SeaNodeOfHex(const sHex& hex);
