#include "world/world.h"

sWorld g_World;

cMapa* WorldMap() { return g_World.map; }
cRelationsMatrix* WorldRelations() { return g_World.relations; }
cGrafMorz* WorldSeaGraph() { return g_World.seaGraph; }
