#pragma once
// Gives the world code (fleets, sea zones, supply) its view of the units: installs the
// unit hooks of g_World. The game calls it whenever it shares itself with the world.
void InstallUnitHooks();
