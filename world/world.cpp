#include "world/world.h"

#include "world/sea_graph.h"

sWorld g_World;

cMapa* WorldMap() { return g_World.map; }
cRelationsMatrix* WorldRelations() { return g_World.relations; }
cGrafMorz* WorldSeaGraph() { return g_World.seaGraph; }

void ResetWorldLinks()
{
    g_World = sWorld{};
    g_HideForeignShipsInPorts = true;
}
