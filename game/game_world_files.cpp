// Small files of the game that go into the world's own objects: the unit-type names of
// the countries and the player's places kept by the map.
#include "game/game.h"
#include "game/places_flags.h"
#include "world/country.h"
#include "world/map.h"

void cGra::LoadUnitNames(const sGameLoadRequest& request)
{
    LoadUnitNames(request, [this](int country, int typeIndex, const std::wstring& name) {
        m_Countries[size_t(country - 1)]->SetUnitTypeName(typeIndex, name);
    });
}

void cGra::LoadPlayerPlaces(std::wstring_view pattern)
{
    sCameraBookmarks places;
    if (!m_Mapa)
        return;
    ::LoadPlayerPlaces(pattern, places, m_Mapa->width, m_Mapa->height);
    for (int k = 0; k < sCameraBookmarks::kSlots; ++k)
        m_Mapa->SetCameraBookmark(k, places.slots[size_t(k)].first, places.slots[size_t(k)].second);
}

void SavePlayerPlaces(const cGra& game, std::wstring_view folder)
{
    if (!game.m_Mapa)
        return;
    sCameraBookmarks places;
    for (int k = 0; k < sCameraBookmarks::kSlots; ++k) {
        const auto [x, y] = game.m_Mapa->GetCameraBookmark(k);
        places.Set(k, x, y);
    }
    SavePlayerPlaces(folder, places);
}
