#include "world/supply.h"

#include "world/map.h"

void cZaopatrzenie::AllocateGrid(const cMapa* map)
{
    Width = map ? map->width : 0;
    Height = map ? map->height : 0;
    Grid.assign(size_t(Width) * size_t(Height), 0);
}
