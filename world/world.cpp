#include "world/world.h"

#include "platform/paths.h"
#include "platform/texture.h"

sWorld g_World;

cMapa* WorldMap() { return g_World.map; }
cRelationsMatrix* WorldRelations() { return g_World.relations; }
cGrafMorz* WorldSeaGraph() { return g_World.seaGraph; }

std::shared_ptr<cTexture> LoadPictureFile(const std::wstring& gamePath)
{
    return std::shared_ptr<cTexture>(cTexture::LoadFromFile(HostPath(gamePath)));
}
